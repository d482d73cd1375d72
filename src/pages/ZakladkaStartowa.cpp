#include "ZakladkaStartowa.h"

CZakladkaStartowa::CZakladkaStartowa(QWidget* parent) : Dialog(kTemplateId, parent) {}
