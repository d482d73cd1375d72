#include "DodajEdytujKategorie.h"

CDodajEdytujKategorie::CDodajEdytujKategorie(QWidget* parent)
    : NameAndDescriptionDialog(kTemplateId, u"Nazwa kategorii", u"Wprowadź nazwę kategorii",
                               parent) {}
