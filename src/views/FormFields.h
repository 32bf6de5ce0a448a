#pragma once
// The read-only text fields of a form view, found by their control id.
#include <map>
#include <string_view>

#include <QLineEdit>
#include <QString>

namespace kestrion {

class CFormFields {
public:
    // A new field, owned by the layout or widget it is put into. Given the widest text the
    // field can show, it is never made narrower than that text needs.
    QLineEdit* Add(int id, std::string_view widest = {});
    void Set(int id, std::string_view text);
    QString Text(int id) const;
    QLineEdit* Field(int id) const { return m_fields.at(id); }

private:
    std::map<int, QLineEdit*> m_fields;
};

}  // namespace kestrion
