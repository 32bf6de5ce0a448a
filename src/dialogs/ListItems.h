#pragma once
// List items that are runs of numbers, and whether a text is one of a list's items.
#include <algorithm>
#include <string>
#include <string_view>
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

inline bool HasItem(const std::vector<std::string>& items, std::string_view text)
{
    return std::find(items.begin(), items.end(), text) != items.end();
}

// The list's text is one of its items.
inline bool IsListItem(const FormControl& list) { return HasItem(list.items, list.text); }

}  // namespace kestrion
