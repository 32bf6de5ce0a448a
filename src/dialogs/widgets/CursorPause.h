#pragma once
// Takes the application's override cursors (the wait cursor of a busy operation) down while
// the user answers a dialog, and puts them back afterwards.
#include <QCursor>
#include <vector>

namespace kestrion {

class CCursorPause {
public:
    CCursorPause();
    ~CCursorPause();
    CCursorPause(const CCursorPause&) = delete;
    CCursorPause& operator=(const CCursorPause&) = delete;

private:
    std::vector<QCursor> m_cursors;  // the innermost first
};

}  // namespace kestrion
