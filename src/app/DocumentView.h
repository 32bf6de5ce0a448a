#pragma once
// A view of the document: it receives every update with its hint and, for hint 1, the record
// to show (valid only during the call).
namespace kestrion {

class CMessageRecord;

class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    virtual void OnUpdate(int hint, const CMessageRecord* record) = 0;
};

}  // namespace kestrion
