#include "Oprogramie.h"

#include "DialogHeader.h"
#include "TransparentStatic.h"

namespace {

constexpr int kTitleInset = 70;

const char16_t* const kAboutText =
    u"Program do prowadzenia ewidencji hodowli gołębi pocztowych: gołębniki i kategorie, "
    u"gołębie z rodowodami, zdjęciami i dokumentami, pary i młode, sezony lęgowe i lotowe, "
    u"loty i wyniki, transakcje, klienci i hodowcy oraz notatnik.\n\n"
    u"Wszystkie dane są zapisywane od razu w folderze db w folderze programu; "
    u"kopię zapasową tego folderu wykonuje polecenie z menu \"Baza Danych\".";

}  // namespace

COprogramie::COprogramie(QWidget* parent) : Dialog(IDD, parent) {}

bool COprogramie::OnInitDialog() {
    Dialog::OnInitDialog();
    textFont_ = Font(QStringLiteral("Tahoma"), 13, 500);
    nameFont_ = Font(QStringLiteral("Tahoma"), 16, FW_BOLD);
    if (auto* label = qobject_cast<CTransparentStatic*>(Item(kText))) {
        label->setFont(textFont_);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->textColor = RGB(60, 60, 60);
        label->setText(QString::fromUtf16(kAboutText));
    }
    return true;
}

// The banner with the title, and under it the program's name and version in bold above the text.
void COprogramie::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, QString::fromUtf16(kTitle), kTitleInset);
    const QFont old = dc.SelectFont(nameFont_);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(19, 126, 209));
    const QWidget* text = Item(kText);
    const int bottom = text ? text->y() : 80;
    Rect line(18, 66, width() - 18, bottom);
    dc.DrawText(std::u16string(u"Ornivex 6.7"), line, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc.SelectFont(old);
}
