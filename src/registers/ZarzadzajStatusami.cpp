#include "ZarzadzajStatusami.h"

CZarzadzajStatusami::CZarzadzajStatusami(QWidget* parent)
    : NameDictionaryDialog(kTemplateId, {kNameEdit, kNameList, kAddButton, kRemoveButton},
                           u"STATUSY", parent) {}

const NameMap& CZarzadzajStatusami::Names() const { return TheDataStore().StatusNames(); }

bool CZarzadzajStatusami::AddName(int loftId, const Text& name) {
    return TheDataStore().AddStatus(loftId, name);
}

bool CZarzadzajStatusami::DeleteName(int id) { return TheDataStore().DeleteStatus(id); }
