#include "Dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <charconv>
#include <climits>
#include <cmath>

#include "DateTimeField.h"
#include "ListView.h"
#include "Resources.h"
#include "StandardControls.h"

namespace {

QPointer<QWidget>& MainWindowPointer() {
    static QPointer<QWidget> window;
    return window;
}

bool IsEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

// Texts written with "\r\n" line breaks show as plain line breaks.
QString PlainBreaks(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return out;
}

// Offers every key press inside a dialog to the dialogs holding its target, innermost first, up
// to the target's window, before the target sees it.
class KeyRouter : public QObject {
public:
    static void Install() {
        static KeyRouter* router = nullptr;
        if (router || !qApp) return;
        router = new KeyRouter(qApp);
        qApp->installEventFilter(router);
    }

protected:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        auto* target = static_cast<QWidget*>(watched);
        // A key travelling up from the focused control has been offered already.
        const QWidget* focus = QApplication::focusWidget();
        if (focus && target != focus && target->isAncestorOf(focus)) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        for (QWidget* w = target; w; w = w->parentWidget()) {
            if (auto* dialog = qobject_cast<Dialog*>(w)) {
                if (dialog->PreTranslateKey(target, key)) return true;
            }
            if (w->isWindow()) break;
        }
        return false;
    }
};

bool ParseInt(const QString& raw, long long low, long long high, long long& out) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    if (!pattern.match(raw).hasMatch()) return false;
    bool ok = false;
    const long long value = raw.trimmed().toLongLong(&ok);
    if (!ok || value < low || value > high) return false;
    out = value;
    return true;
}

// Decimal fields take a dot (as the program shows numbers) or a comma (as Polish users type
// them), read without the process locale: under a Polish locale the C library would refuse the
// very dot the field was filled with.
bool ParseDouble(const QString& raw, double& out) {
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)([eE][+-]?\\d+)?$"));
    const QString trimmed = raw.trimmed();
    if (!pattern.match(trimmed).hasMatch()) return false;
    QByteArray text = trimmed.toLatin1().replace(',', '.');
    if (text.startsWith('+')) text.remove(0, 1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.constData(), text.constData() + text.size(), value);
    if (error != std::errc() || end != text.constData() + text.size() || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

// Fields that take one line of typing: an edit, the edit part of a combo box, a spin box. Not a
// note, whose first key would wipe it when selected whole, nor a date field, which picks the
// part to type over itself.
bool IsOneLineField(const QWidget* w) {
    if (qobject_cast<const QLineEdit*>(w)) return true;
    if (const auto* combo = qobject_cast<const QComboBox*>(w)) return combo->isEditable();
    return qobject_cast<const QAbstractSpinBox*>(w) && !qobject_cast<const DateTimeField*>(w);
}

// Selected from its end back to its start, so that the caret is at the start and a text longer
// than the field is read from its beginning.
void SelectFromStart(QLineEdit* edit) {
    const int length = static_cast<int>(edit->text().size());
    edit->setSelection(length, -length);
}

// Qt selects a field's text when Tab brings the focus, not when a window opens: what is typed
// first would go in front of the text the window put there ("0" becoming "170").
void SelectWholeLine(QWidget* w) {
    if (!IsOneLineField(w)) return;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) SelectFromStart(edit);
    else if (auto* combo = qobject_cast<QComboBox*>(w)) SelectFromStart(combo->lineEdit());
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) spin->selectAll();
}

}  // namespace

// ---- construction -----------------------------------------------------------------------------

Dialog::Dialog(int templateId, QWidget* parent) : Dialog(FindDialogTemplate(templateId), parent) {
    if (!template_) {
        templateId_ = templateId;
        qWarning() << "no dialog template" << templateId;
    }
}

Dialog::Dialog(const DialogTemplate* dialogTemplate, QWidget* parent)
    : QDialog(parent), template_(dialogTemplate) {
    KeyRouter::Install();
    setMouseTracking(true);
    Build();
}

Dialog::~Dialog() = default;

void Dialog::Build() {
    if (!template_) return;
    const DialogTemplate& t = *template_;
    templateId_ = t.id;
    setWindowTitle(QString::fromUtf16(t.caption));
    setFont(DialogFont(QString::fromUtf16(t.fontFace), t.fontPoints));
    if (t.style & style::Child) {
        setWindowFlags(Qt::Widget);
    } else if (t.style & style::Popup) {
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    } else {
        Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (t.style & style::SysMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (t.style & style::MinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
        if (t.style & style::MaximizeBox) flags |= Qt::WindowMaximizeButtonHint;
        setWindowFlags(flags);
    }
    const int w = DuToPixelsX(t.width), h = DuToPixelsY(t.height);
    if (!(t.style & (style::Child | style::Resizable | style::MaximizeBox))) setFixedSize(w, h);
    else resize(w, h);

    const std::vector<QWidget*> widgets = BuildControls(t, this);
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        const ControlTemplate& c = t.controls[i];
        if (c.style & style::Notify) widgets[i]->setProperty("notifyClicks", true);
        if (c.id != -1) Register(c.id, widgets[i]);
        if ((c.style & style::DefaultButton) && c.id != -1) defaultId_ = c.id;
    }
}

void Dialog::Register(int id, QWidget* widget) {
    if (!items_.count(id)) items_[id] = widget;
    Connect(id, widget);
}

void Dialog::Connect(int id, QWidget* widget) {
    auto fire = [this, id](Notification what) { return [this, id, what] { Fire(id, what); }; };
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, fire(Notification::Clicked));
    } else if (auto* combo = qobject_cast<ComboBox*>(widget)) {
        connect(combo, &ComboBox::SelChange, this, fire(Notification::SelChange));
        connect(combo, &ComboBox::EditChange, this, fire(Notification::Changed));
    } else if (auto* plainCombo = qobject_cast<QComboBox*>(widget)) {
        connect(plainCombo, &QComboBox::activated, this, fire(Notification::SelChange));
    } else if (auto* listBox = qobject_cast<ListBoxControl*>(widget)) {
        connect(listBox, &ListBoxControl::SelChange, this, fire(Notification::SelChange));
        connect(listBox, &ListBoxControl::DoubleClick, this, fire(Notification::DoubleClick));
    } else if (auto* list = qobject_cast<ListView*>(widget)) {
        connect(list, &ListView::Click, this, fire(Notification::Clicked));
        connect(list, &ListView::DoubleClick, this, fire(Notification::DoubleClick));
        connect(list, &ListView::ItemChanged, this, fire(Notification::ItemChanged));
    } else if (auto* tab = qobject_cast<TabControl*>(widget)) {
        connect(tab, &TabControl::SelChange, this, fire(Notification::SelChange));
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textChanged, this, fire(Notification::Changed));
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(widget)) {
        connect(multi, &QPlainTextEdit::textChanged, this, fire(Notification::Changed));
    } else if (auto* calendar = qobject_cast<QCalendarWidget*>(widget)) {
        connect(calendar, &QCalendarWidget::selectionChanged, this, fire(Notification::SelChange));
    } else if (auto* picker = qobject_cast<DateTimePicker*>(widget)) {
        connect(picker, &DateTimePicker::Changed, this, fire(Notification::Changed));
    }
    widget->setProperty("controlId", id);
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>()) child->installEventFilter(this);
}

// ---- running ----------------------------------------------------------------------------------

void Dialog::SetMainWindow(QWidget* window) { MainWindowPointer() = window; }
QWidget* Dialog::MainWindow() { return MainWindowPointer(); }

void Dialog::EnsureInitialized() {
    if (initialized_) return;
    initialized_ = true;
    OnInitDialog();
}

int Dialog::DoModal() {
    QWidget* main = MainWindow();
    if (!parentWidget() && main && main != this) setParent(main, windowFlags());
    ended_ = false;
    EnsureInitialized();
    if (ended_) {
        seams::detail::RecordModalRun({templateId_, windowTitle(), endCode_});
        return endCode_;
    }
    const seams::ModalHandler handler = seams::detail::NextModalHandler();
    if (handler || seams::TestMode()) {
        // Scripted run: the dialog is shown (so visibility and layout are real) and handed to
        // the test instead of a nested event loop.
        show();
        int result = IDCANCEL;
        if (handler) result = handler(*this);
        else qWarning() << "modal run of dialog" << templateId_ << "without a test handler";
        if (ended_) result = endCode_;
        if (isVisible()) {
            ending_ = true;
            hide();
            ending_ = false;
        }
        seams::detail::RecordModalRun({templateId_, windowTitle(), result});
        return result;
    }
    inModalLoop_ = true;
    const int result = exec();
    inModalLoop_ = false;
    return ended_ ? endCode_ : result;
}

bool Dialog::Create(QWidget* parent) {
    if (!template_ || (template_->style & style::Child)) {
        setParent(parent, Qt::Widget);
        move(0, 0);
        EnsureInitialized();
        if (template_ && (template_->style & style::Visible)) show();
    } else {
        setParent(parent, windowFlags());
        EnsureInitialized();
        show();
    }
    return true;
}

void Dialog::EndDialog(int result) {
    ended_ = true;
    endCode_ = result;
    if (IsPage()) {
        hide();
        return;
    }
    setResult(result);
    if (!initialized_ || !isVisible()) return;  // a run that has not started returns at once
    done(result);
}

void Dialog::done(int result) {
    ending_ = true;
    QDialog::done(result);
    ending_ = false;
}

bool Dialog::OnInitDialog() { return true; }
void Dialog::OnOK() { EndDialog(IDOK); }
void Dialog::OnCancel() { EndDialog(IDCANCEL); }

bool Dialog::IsPage() const { return !isWindow(); }

// ---- controls ---------------------------------------------------------------------------------

QWidget* Dialog::Item(int id) const {
    const auto it = items_.find(id);
    return it == items_.end() ? nullptr : it->second;
}

QAbstractButton* Dialog::Button(int id) const { return ItemAs<QAbstractButton>(id); }
QCheckBox* Dialog::CheckBox(int id) const { return ItemAs<QCheckBox>(id); }
QRadioButton* Dialog::Radio(int id) const { return ItemAs<QRadioButton>(id); }
QLineEdit* Dialog::Edit(int id) const { return ItemAs<QLineEdit>(id); }
QPlainTextEdit* Dialog::MultiEdit(int id) const { return ItemAs<QPlainTextEdit>(id); }
QLabel* Dialog::Label(int id) const { return ItemAs<QLabel>(id); }
QGroupBox* Dialog::GroupBox(int id) const { return ItemAs<QGroupBox>(id); }
ComboBox* Dialog::Combo(int id) const { return ItemAs<ComboBox>(id); }
ListBoxControl* Dialog::ListBox(int id) const { return ItemAs<ListBoxControl>(id); }
ListView* Dialog::List(int id) const { return ItemAs<ListView>(id); }
TabControl* Dialog::Tab(int id) const { return ItemAs<TabControl>(id); }
QCalendarWidget* Dialog::Calendar(int id) const { return ItemAs<QCalendarWidget>(id); }
DateTimePicker* Dialog::DatePicker(int id) const { return ItemAs<DateTimePicker>(id); }

std::vector<int> Dialog::ItemIds() const {
    std::vector<int> ids;
    for (const auto& [id, widget] : items_) ids.push_back(id);
    return ids;
}

QWidget* Dialog::ReplaceItem(int id, QWidget* replacement) {
    QWidget* old = Item(id);
    if (replacement->parentWidget() != this) replacement->setParent(this);
    if (old) {
        replacement->setGeometry(old->geometry());
        replacement->setVisible(!old->isHidden());
        replacement->setEnabled(old->isEnabled());
        replacement->setProperty("notifyClicks", old->property("notifyClicks"));
        const QString text = GetDlgItemText(id);
        if (auto* button = qobject_cast<QAbstractButton*>(replacement)) button->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(replacement)) label->setText(text);
        replacement->stackUnder(old);
        QWidget::setTabOrder(old, replacement);
        if (auto* radio = qobject_cast<QAbstractButton*>(old); radio && radio->group())
            radio->group()->removeButton(radio);
        items_.erase(id);
        focusState_.erase(old);
        old->deleteLater();
        old->hide();
    }
    Register(id, replacement);
    return replacement;
}

void Dialog::AddItem(int id, QWidget* widget) {
    if (widget->parentWidget() == nullptr) widget->setParent(this);
    Register(id, widget);
}

// ---- texts and states -------------------------------------------------------------------------

QString Dialog::GetDlgItemText(int id) const {
    const QWidget* w = Item(id);
    if (!w) return {};
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
    if (auto* multi = qobject_cast<const QPlainTextEdit*>(w)) return multi->toPlainText();
    if (auto* combo = qobject_cast<const QComboBox*>(w)) return combo->currentText();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(w)) return group->title();
    const QVariant text = w->property("text");
    return text.isValid() ? text.toString() : w->windowTitle();
}

void Dialog::SetDlgItemText(int id, const QString& rawText) {
    QWidget* w = Item(id);
    if (!w) return;
    const QString text = PlainBreaks(rawText);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        // A text the window puts in a field is shown from its beginning, as a field the user
        // has not touched yet should be: a long name is read from its start, not its end.
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) multi->setPlainText(text);
    else if (auto* combo = qobject_cast<ComboBox*>(w)) combo->SetWindowText(text);
    else if (auto* plainCombo = qobject_cast<QComboBox*>(w)) plainCombo->setEditText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(w)) button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(w)) label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(w)) group->setTitle(text);
    else if (!w->setProperty("text", text)) w->setWindowTitle(text);
}

std::u16string Dialog::ItemText(int id) const { return GetDlgItemText(id).toStdU16String(); }

void Dialog::SetItemText(int id, const std::u16string& text) {
    SetDlgItemText(id, QString::fromStdU16String(text));
}

int Dialog::GetDlgItemInt(int id, bool* ok) const {
    long long value = 0;
    const bool parsed = ParseInt(GetDlgItemText(id), INT_MIN, INT_MAX, value);
    if (ok) *ok = parsed;
    return parsed ? static_cast<int>(value) : 0;
}

void Dialog::SetDlgItemInt(int id, long long value) { SetDlgItemText(id, QString::number(value)); }

int Dialog::IsDlgButtonChecked(int id) const {
    const auto* button = Button(id);
    if (!button) return 0;
    if (auto* box = qobject_cast<const QCheckBox*>(button)) {
        switch (box->checkState()) {
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
        default: return 0;
        }
    }
    return button->isChecked() ? 1 : 0;
}

void Dialog::CheckDlgButton(int id, int state) {
    QAbstractButton* button = Button(id);
    if (!button) return;
    if (auto* box = qobject_cast<QCheckBox*>(button)) {
        box->setCheckState(state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
        return;
    }
    QButtonGroup* group = button->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive && state == 0) group->setExclusive(false);
    button->setCheckable(true);
    button->setChecked(state != 0);
    if (exclusive && state == 0) group->setExclusive(true);
}

void Dialog::CheckRadioButton(int first, int last, int check) {
    for (int id = first; id <= last; ++id) {
        if (id != check && Button(id)) CheckDlgButton(id, 0);
    }
    if (Button(check)) CheckDlgButton(check, 1);
}

int Dialog::GetCheckedRadioButton(int first, int last) const {
    for (int id = first; id <= last; ++id) {
        if (const auto* button = Button(id); button && button->isChecked()) return id;
    }
    return 0;
}

void Dialog::EnableItem(int id, bool enable) {
    if (QWidget* w = Item(id)) w->setEnabled(enable);
}

void Dialog::ShowItem(int id, bool show) {
    if (QWidget* w = Item(id)) w->setVisible(show);
}

void Dialog::SetDefID(int id) { defaultId_ = id; }

void Dialog::RefuseField(int id, const QString& message) {
    MessageBox(this, message, QString(), MB_OK | MB_ICONEXCLAMATION);
    if (QWidget* w = Item(id)) {
        // A hidden widget takes no focus: the window refusing a field of a page not on show
        // shows that page next.
        refusedHidden_ = w->isVisible() ? nullptr : w;
        w->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
            combo->lineEdit()->selectAll();
        // The whole date or time is typed again from its first part, wherever the caret was.
        if (auto* picker = qobject_cast<DateTimePicker*>(w)) picker->StartTyping();
    }
}

bool Dialog::ReadInt(int id, int& value) {
    long long parsed = 0;
    if (!ParseInt(GetDlgItemText(id), INT_MIN, INT_MAX, parsed)) {
        RefuseField(id, QString::fromUtf8("Wprowadź liczbę całkowitą."));
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool Dialog::ReadDateBoxes(int dayId, int monthId, int yearId, int& day, int& month, int& year,
                           const std::u16string& message) {
    const int ids[] = {dayId, monthId, yearId};
    int read[3] = {};
    for (int i = 0; i < 3; ++i) {
        long long parsed = 0;
        if (!ParseInt(GetDlgItemText(ids[i]), INT_MIN, INT_MAX, parsed)) {
            RefuseField(ids[i], message);
            return false;
        }
        read[i] = static_cast<int>(parsed);
    }
    day = read[0];
    month = read[1];
    year = read[2];
    return true;
}

bool Dialog::ReadUInt(int id, unsigned& value) {
    long long parsed = 0;
    if (!ParseInt(GetDlgItemText(id), 0, UINT_MAX, parsed)) {
        RefuseField(id, QString::fromUtf8("Wprowadź dodatnią liczbę całkowitą."));
        return false;
    }
    value = static_cast<unsigned>(parsed);
    return true;
}

bool Dialog::ReadDouble(int id, double& value) {
    double parsed = 0;
    if (!ParseDouble(GetDlgItemText(id), parsed)) {
        RefuseField(id, QString::fromUtf8("Wprowadź liczbę."));
        return false;
    }
    value = parsed;
    return true;
}

bool Dialog::ReadFloat(int id, float& value) {
    double parsed = 0;
    if (!ParseDouble(GetDlgItemText(id), parsed) || std::fabs(parsed) > 3.4028234663852886e38) {
        RefuseField(id, QString::fromUtf8("Wprowadź liczbę."));
        return false;
    }
    value = static_cast<float>(parsed);
    return true;
}

void Dialog::SetPickerMessage(int id, std::u16string message) {
    pickerMessages_[id] = std::move(message);
}

bool Dialog::CheckDatePickers() {
    // Children come in the order they were made: the template's, which is the window's own.
    for (DateTimePicker* picker : findChildren<DateTimePicker*>(Qt::FindDirectChildrenOnly)) {
        const QVariant id = picker->property("controlId");
        if (!id.isValid() || Item(id.toInt()) != picker || picker->ShowsStorableValue()) continue;
        const auto own = pickerMessages_.find(id.toInt());
        const std::u16string message =
            own != pickerMessages_.end() ? own->second : std::u16string(u"Nieprawidłowa data.");
        RefuseField(id.toInt(), message);
        return false;
    }
    return true;
}

void Dialog::SetChoiceName(int id, std::u16string name) { choiceNames_[id] = std::move(name); }

bool Dialog::CheckTypedChoices() {
    for (ComboBox* combo : findChildren<ComboBox*>(Qt::FindDirectChildrenOnly)) {
        const QVariant id = combo->property("controlId");
        if (!id.isValid() || Item(id.toInt()) != combo || !combo->isEditable()) continue;
        if (combo->TakeShownEntry()) continue;
        const auto own = choiceNames_.find(id.toInt());
        const std::u16string what =
            own != choiceNames_.end() ? u"W polu „" + own->second + u"” wpisano" : u"Wpisano";
        RefuseField(id.toInt(), what + u" tekst, którego nie ma na liście.\n"
                                       u"Wybierz pozycję z listy albo wyczyść pole.");
        return false;
    }
    return true;
}

// ---- notifications ----------------------------------------------------------------------------

void Dialog::Bind(int id, Notification what, Handler handler) {
    handlers_[{id, what}] = std::move(handler);
}

bool Dialog::Fire(int id, Notification what) {
    const auto it = handlers_.find({id, what});
    if (it != handlers_.end() && it->second) {
        const Handler handler = it->second;  // a handler may rebind itself
        handler();
        return true;
    }
    if (what == Notification::Clicked && id == IDOK) {
        OnOK();
        return true;
    }
    if (what == Notification::Clicked && id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool Dialog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusIn && type != QEvent::FocusOut && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonDblClick) {
        return QDialog::eventFilter(watched, event);
    }
    // The control the event belongs to: the watched widget or the one it is part of.
    QWidget* control = nullptr;
    int id = -1;
    for (QObject* o = watched; o && o != this; o = o->parent()) {
        const QVariant v = o->property("controlId");
        if (v.isValid() && o->isWidgetType() && Item(v.toInt()) == o) {
            control = static_cast<QWidget*>(o);
            id = v.toInt();
            break;
        }
    }
    if (!control) return QDialog::eventFilter(watched, event);

    if (type == QEvent::FocusIn) {
        if (!focusState_[control]) {
            focusState_[control] = true;
            Fire(id, Notification::SetFocus);
        }
    } else if (type == QEvent::FocusOut) {
        QWidget* now = QApplication::focusWidget();
        const bool stillInside = now && (now == control || control->isAncestorOf(now));
        if (!stillInside && focusState_[control]) {
            focusState_[control] = false;
            Fire(id, Notification::KillFocus);
        }
    } else if (watched == control && control->property("notifyClicks").toBool() &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Fire(id, type == QEvent::MouseButtonPress ? Notification::Clicked : Notification::DoubleClick);
    }
    return QDialog::eventFilter(watched, event);
}

// ---- keys -------------------------------------------------------------------------------------

bool Dialog::PreTranslateKey(QWidget*, QKeyEvent* event) {
    if (IsEnter(event)) {
        if (keyPolicy_.swallowEnter) return true;
        if (keyPolicy_.enterCommand != 0) {
            RunCommand(keyPolicy_.enterCommand);
            return true;
        }
    }
    if (event->key() == Qt::Key_Escape) {
        if (keyPolicy_.swallowEscape) return true;
        if (keyPolicy_.escapeCancelsFirst) {
            Fire(IDCANCEL, Notification::Clicked);
            return true;
        }
    }
    return false;
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    if (IsPage()) {
        // A page closes nothing: Enter and Escape that its controls left stop here, so they
        // neither press the default button of the window holding the page nor cancel it (a
        // half-typed change saved, or dropped without asking). Other keys go on up.
        if (IsEnter(event) || event->key() == Qt::Key_Escape) event->accept();
        else event->ignore();
        return;
    }
    // The keypad's Enter comes flagged as a keypad key, and is Enter all the same.
    if (IsEnter(event) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const QWidget* button = Item(defaultId_);
        if (!button || button->isEnabled()) Fire(defaultId_, Notification::Clicked);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        Fire(IDCANCEL, Notification::Clicked);
        return;
    }
    QDialog::keyPressEvent(event);
}

void Dialog::reject() { Fire(IDCANCEL, Notification::Clicked); }

void Dialog::closeEvent(QCloseEvent* event) {
    if (ending_ || IsPage()) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    Fire(IDCANCEL, Notification::Clicked);
}

// ---- painting and other events ----------------------------------------------------------------

void Dialog::OnEraseBkgnd(Dc& dc) { dc.FillSolidRect(GetClientRect(), GetSysColor(SysColor::ButtonFace)); }
void Dialog::OnPaint(Dc&) {}
void Dialog::OnSize(int, int, int) {}
void Dialog::OnLButtonDown(const QPoint&) {}
void Dialog::OnLButtonUp(const QPoint&) {}
void Dialog::OnLButtonDblClk(const QPoint&) {}
void Dialog::OnRButtonDown(const QPoint&) {}
void Dialog::OnMouseMove(const QPoint&) {}
void Dialog::OnMouseLeave() {}
void Dialog::OnShowWindow(bool) {}
void Dialog::OnTimer(int) {}

void Dialog::SetTimer(int timerId, int milliseconds) {
    KillTimer(timerId);
    timers_[timerId] = startTimer(milliseconds);
}

void Dialog::KillTimer(int timerId) {
    const auto it = timers_.find(timerId);
    if (it == timers_.end()) return;
    killTimer(it->second);
    timers_.erase(it);
}

void Dialog::timerEvent(QTimerEvent* event) {
    for (const auto& [id, qtId] : timers_) {
        if (qtId == event->timerId()) {
            OnTimer(id);
            return;
        }
    }
    QDialog::timerEvent(event);
}

void Dialog::paintEvent(QPaintEvent*) {
    Dc dc(this);
    dc.SelectFont(font());
    OnEraseBkgnd(dc);
    OnPaint(dc);
}

void Dialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int type = isMinimized() ? SizeMinimized : isMaximized() ? SizeMaximized : SizeRestored;
    OnSize(type, width(), height());
}

void Dialog::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) OnLButtonDown(p);
    else if (event->button() == Qt::RightButton) OnRButtonDown(p);
    QDialog::mousePressEvent(event);
}

void Dialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonUp(event->position().toPoint());
    QDialog::mouseReleaseEvent(event);
}

void Dialog::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonDblClk(event->position().toPoint());
    QDialog::mouseDoubleClickEvent(event);
}

void Dialog::mouseMoveEvent(QMouseEvent* event) {
    OnMouseMove(event->position().toPoint());
    QDialog::mouseMoveEvent(event);
}

void Dialog::leaveEvent(QEvent* event) {
    OnMouseLeave();
    QDialog::leaveEvent(event);
}

void Dialog::showEvent(QShowEvent* event) {
    EnsureInitialized();
    QDialog::showEvent(event);
    if (!event->spontaneous()) OnShowWindow(true);
    if (!event->spontaneous() && !IsPage()) SelectOpeningField();
    if (QWidget* refused = refusedHidden_.data(); refused && refused->isVisible()) {
        refusedHidden_ = nullptr;
        refused->setFocus();
    }
}

void Dialog::SelectOpeningField() {
    // The field the window chose in OnInitDialog, else the first control Tab would reach when
    // that is a one-line field (any other first control is left to Qt). The focus is given now,
    // while the window is not yet active: activating it later keeps the focus there and leaves
    // the selection alone.
    QWidget* field = focusWidget();
    if (!field) {
        for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() &&
                w->isEnabled() && w->isVisibleTo(this) && isAncestorOf(w)) {
                field = w;
                break;
            }
        }
        if (!field || !IsOneLineField(field)) return;
        field->setFocus();
    }
    SelectWholeLine(field);
}

void Dialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) OnShowWindow(false);
}
