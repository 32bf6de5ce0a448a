#pragma once
// The models' file dialog filter, "Name|patterns|Name|patterns||" with patterns apart by ';',
// in Qt's form "Name (patterns);;Name (patterns)". "*.*" becomes "*", which on this system is
// what matches every name, and a name that already ends in its patterns in parentheses does
// not get them twice.
#include <QString>
#include <string_view>

namespace kestrion {

QString QtFileFilter(std::string_view filter);

}  // namespace kestrion
