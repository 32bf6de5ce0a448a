#pragma once
// List items that are runs of numbers, and whether a typed text is one of a list's items.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/DialogForm.h"

namespace kestrion {

// "first" to "last" in decimal, step apart.
inline std::vector<std::string> NumberItems(int first, int last, int step = 1)
{
    std::vector<std::string> items;
    for (int number = first; number <= last; number += step) {
        items.push_back(std::to_string(number));
    }
    return items;
}

inline bool IsListItem(const FormControl& list)
{
    return std::find(list.items.begin(), list.items.end(), list.text) != list.items.end();
}

}  // namespace kestrion
