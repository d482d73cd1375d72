#include "DodajEdytujHodowle.h"

CDodajEdytujHodowle::CDodajEdytujHodowle(QWidget* parent)
    : NameAndDescriptionDialog(kTemplateId, u"Nazwa hodowli", u"Wprowadź nazwę hodowli", parent) {}
