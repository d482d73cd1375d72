#include "DialogTemplate.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVariant>
#include <map>

#include "ListView.h"
#include "Resources.h"
#include "StandardControls.h"

namespace {

// The calendar's own weekday headings are the locale's short names ("pon.", "czw.", "niedz."),
// cut to "p…" in a small calendar. In their place: two letters, which fit every size.
void UseTwoLetterWeekdays(QCalendarWidget* calendar) {
    auto* layout = qobject_cast<QBoxLayout*>(calendar->layout());
    if (!layout) return;
    calendar->setHorizontalHeaderFormat(QCalendarWidget::NoHorizontalHeader);
    auto* headings = new QWidget(calendar);
    headings->setObjectName(QStringLiteral("weekdayHeadings"));
    auto* row = new QHBoxLayout(headings);
    row->setContentsMargins(0, 2, 0, 2);
    row->setSpacing(0);
    for (const char16_t* day : {u"Pn", u"Wt", u"Śr", u"Cz", u"Pt", u"So", u"Nd"}) {
        auto* label = new QLabel(QString::fromUtf16(day), headings);
        label->setAlignment(Qt::AlignCenter);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        row->addWidget(label, 1);
    }
    // Below the month and year bar, above the days.
    layout->insertWidget(1, headings);
}


// Rounds a × num / den down, also for negative values.
int FloorScale(int value, int num, int den) {
    const long long product = static_cast<long long>(value) * num;
    long long q = product / den;
    if (product % den != 0 && product < 0) --q;
    return static_cast<int>(q);
}

std::map<ControlKind, ControlFactory>& Factories() {
    static std::map<ControlKind, ControlFactory> factories;
    return factories;
}

// Typed letters become capitals (the validator may rewrite what is typed or pasted).
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};


Qt::Alignment TextAlignment(style::Flags s, bool vcenterDefault) {
    Qt::Alignment a = (s & style::Center) ? Qt::AlignHCenter
                      : (s & style::Right) ? Qt::AlignRight
                                           : Qt::AlignLeft;
    a |= ((s & style::VCenter) || vcenterDefault) ? Qt::AlignVCenter : Qt::AlignTop;
    return a;
}

// The height of a closed drop-down combo box; the template's height is that of the open list.
constexpr int kClosedComboHeight = 21;

QWidget* MakeEdit(const ControlTemplate& c, const QString& text, QWidget* parent) {
    if (c.style & style::Multiline) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setPlainText(text);
        edit->setLineWrapMode((c.style & style::HScroll) ? QPlainTextEdit::NoWrap
                                                         : QPlainTextEdit::WidgetWidth);
        edit->setReadOnly(c.style & style::ReadOnly);
        edit->setTabChangesFocus(true);
        return edit;
    }
    auto* edit = new QLineEdit(text, parent);
    if (c.style & style::Number) {
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]*")), edit));
    } else if (c.style & style::UpperCase) {
        edit->setValidator(new UpperCaseValidator(edit));
    }
    if (c.style & style::ReadOnly) edit->setReadOnly(true);
    if (c.style & style::Password) edit->setEchoMode(QLineEdit::Password);
    // A one-line field drawn taller than two lines keeps its line at the top, where the eye
    // looks for it, instead of floating in the middle of the box.
    const Qt::Alignment vertical =
        DuToPixelsY(c.rect.height) > 2 * QFontMetrics(edit->font()).height() ? Qt::AlignTop
                                                                              : Qt::AlignVCenter;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (c.style & style::Center) horizontal = Qt::AlignHCenter;
    if (c.style & style::Right) horizontal = Qt::AlignRight;
    edit->setAlignment(horizontal | vertical);
    return edit;
}

QWidget* MakeStandard(const ControlTemplate& c, QRect& geometry, QWidget* parent) {
    const QString text = QString::fromUtf16(c.text);
    switch (c.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(WithoutMnemonic(text), parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(TextAlignment(c.style, false));
        label->setWordWrap(!(c.style & style::VCenter));
        if (c.style & style::Sunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        else if (c.style & style::Border) label->setFrameStyle(QFrame::Box | QFrame::Plain);
        return label;
    }
    case ControlKind::Bitmap: {
        auto* label = new QLabel(parent);
        QPixmap image;
        if (c.style & style::IconImage) {
            image = LoadIcon(c.resource).pixmap(32, 32);
        } else {
            image = LoadBitmap(c.resource);
        }
        if (!image.isNull()) {
            label->setPixmap(image);
            if (c.style & style::RealSize) {
                label->setScaledContents(true);
            } else if (c.style & style::Center) {
                label->setAlignment(Qt::AlignCenter);
            } else {
                geometry.setSize(image.deviceIndependentSize().toSize());
            }
        }
        if (c.style & style::Sunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return label;
    }
    case ControlKind::Frame: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        return frame;
    }
    case ControlKind::HLine:
    case ControlKind::VLine: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle((c.kind == ControlKind::HLine ? QFrame::HLine : QFrame::VLine) |
                             QFrame::Sunken);
        return frame;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(WithoutMnemonic(text), parent);
    case ControlKind::PushButton: {
        auto* button = new QPushButton(WithoutMnemonic(text), parent);
        button->setAutoDefault(false);
        button->setFlat(c.style & style::Flat);
        return button;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(WithoutMnemonic(text), parent);
        box->setTristate(c.style & style::TriState);
        return box;
    }
    case ControlKind::Radio: {
        auto* radio = new QRadioButton(WithoutMnemonic(text), parent);
        radio->setAutoExclusive(false);  // grouped by BuildControls
        return radio;
    }
    case ControlKind::Edit:
        return MakeEdit(c, text, parent);
    case ControlKind::Combo: {
        auto* combo = (c.style & style::Simple) ? new SimpleComboBox(parent) : new ComboBox(parent);
        combo->SetEditable(c.style & (style::DropDownEdit | style::Simple));
        combo->SetSorted(c.style & style::Sort);
        for (const auto& item : c.items) combo->AddString(QString::fromStdU16String(item));
        if (!(c.style & style::Simple)) {
            const int listHeight = geometry.height() - kClosedComboHeight;
            combo->setMaxVisibleItems(std::max(3, listHeight / 15));
            geometry.setHeight(kClosedComboHeight);
        }
        return combo;
    }
    case ControlKind::ListBox: {
        auto* list = new ListBoxControl(parent);
        list->SetSorted(c.style & style::Sort);
        list->setSelectionMode((c.style & style::MultiSelect) ? QAbstractItemView::ExtendedSelection
                                                              : QAbstractItemView::SingleSelection);
        for (const auto& item : c.items) list->AddString(QString::fromStdU16String(item));
        return list;
    }
    case ControlKind::ListView: {
        auto* list = new ListView(parent);
        list->SetView((c.style & style::List)        ? ListView::View::List
                      : (c.style & style::SmallIcon) ? ListView::View::SmallIcon
                                                     : ListView::View::Report);
        list->SetCheckBoxes(c.style & style::CheckBoxes);
        list->SetGridLines(c.style & style::GridLines);
        list->SetFullRowSelect(c.style & style::FullRowSelect);
        list->SetSingleSelection(c.style & style::SingleSelect);
        if (c.style & style::NoColumnHeader) list->SetColumnHeaderVisible(false);
        return list;
    }
    case ControlKind::Tab:
        return new TabControl(parent);
    case ControlKind::MonthCalendar: {
        auto* calendar = new QCalendarWidget(parent);
        UseCalendarLook(calendar);
        return calendar;
    }
    case ControlKind::DateTimePicker: {
        const auto format = (c.style & style::TimeFormat) ? DateTimePicker::Format::Time
                            : (c.style & style::LongDate) ? DateTimePicker::Format::LongDate
                                                          : DateTimePicker::Format::ShortDate;
        return new DateTimePicker(parent, format, c.style & style::ShowNone);
    }
    case ControlKind::FlatButton: {
        auto* button = new QPushButton(WithoutMnemonic(text), parent);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::TransparentLabel:
    case ControlKind::PictureBox: {
        auto* label = new QLabel(WithoutMnemonic(text), parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(TextAlignment(c.style, false));
        return label;
    }
    case ControlKind::WebBrowser:
        return new QWidget(parent);
    }
    return new QWidget(parent);
}

}  // namespace

void UseCalendarLook(QCalendarWidget* calendar) {
    calendar->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setGridVisible(false);
    UseTwoLetterWeekdays(calendar);
}

// A single '&' marks a keyboard mnemonic in captions; "&&" is an ampersand.
QString WithoutMnemonic(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

int DuToPixelsX(int du) { return FloorScale(du, 3, 2); }
int DuToPixelsY(int du) { return FloorScale(du, 13, 8); }

PixelRect DuToPixels(const DuRect& r) {
    const int left = DuToPixelsX(r.x), top = DuToPixelsY(r.y);
    const int right = DuToPixelsX(r.x + r.width), bottom = DuToPixelsY(r.y + r.height);
    return {left, top, right - left, bottom - top};
}

void RegisterControlFactory(ControlKind kind, ControlFactory factory) {
    Factories()[kind] = std::move(factory);
}

QWidget* BuildControl(const ControlTemplate& c, QWidget* parent) {
    const PixelRect px = DuToPixels(c.rect);
    QRect geometry(px.x, px.y, px.width, px.height);
    QWidget* widget = nullptr;
    const auto factory = Factories().find(c.kind);
    if (factory != Factories().end() && factory->second) widget = factory->second(c, parent);
    if (!widget) widget = MakeStandard(c, geometry, parent);
    if (widget->parentWidget() != parent) widget->setParent(parent);
    widget->setGeometry(geometry);
    widget->setProperty("controlId", c.id);
    if (c.style & style::Hidden) widget->setVisible(false);
    if (c.style & style::Disabled) widget->setEnabled(false);
    return widget;
}

std::vector<QWidget*> BuildControls(const DialogTemplate& dialog, QWidget* parent) {
    std::vector<QWidget*> widgets;
    widgets.reserve(dialog.controls.size());
    int group = 0;
    std::map<int, QButtonGroup*> radioGroups;
    for (const ControlTemplate& c : dialog.controls) {
        if (c.style & style::Group) ++group;
        QWidget* widget = BuildControl(c, parent);
        widget->show();
        if (c.style & style::Hidden) widget->hide();
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            QButtonGroup*& buttons = radioGroups[group];
            if (!buttons) {
                buttons = new QButtonGroup(parent);
                buttons->setExclusive(true);
            }
            buttons->addButton(radio);
        }
        widgets.push_back(widget);
    }
    return widgets;
}
