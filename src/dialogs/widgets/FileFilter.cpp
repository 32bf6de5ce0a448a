#include "dialogs/widgets/FileFilter.h"

#include <QStringList>

#include "dialogs/widgets/QtText.h"

namespace kestrion {
namespace {

QString Patterns(const QString& patterns)
{
    QStringList qt;
    for (QString pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
        pattern = pattern.trimmed();
        if (pattern == QStringLiteral("*.*")) {
            pattern = QStringLiteral("*");
        }
        if (!pattern.isEmpty() && !qt.contains(pattern)) {
            qt.push_back(pattern);
        }
    }
    return qt.join(u' ');
}

// The name without the patterns it shows in parentheses at its end.
QString Name(const QString& name)
{
    const QString trimmed = name.trimmed();
    const qsizetype open = trimmed.lastIndexOf(u'(');
    if (!trimmed.endsWith(u')') || open < 0 || !trimmed.sliced(open).contains(u'*')) {
        return trimmed;
    }
    return trimmed.first(open).trimmed();
}

}  // namespace

QString QtFileFilter(std::string_view filter)
{
    const QStringList fields = ToQt(filter).split(u'|');
    QStringList filters;
    // The list ends at the first empty field: "||" closes it.
    for (qsizetype field = 0; field + 1 < fields.size(); field += 2) {
        const QString patterns = Patterns(fields[field + 1]);
        if (fields[field].isEmpty() || patterns.isEmpty()) {
            break;
        }
        const QString name = Name(fields[field]);
        filters.push_back(name.isEmpty() ? "(" + patterns + ")" : name + " (" + patterns + ")");
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace kestrion
