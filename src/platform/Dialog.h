#pragma once
// The base of every window of the program: a dialog built from a template, whose controls are
// reached by id and whose control notifications and commands are bound to handlers by id.
//
// Life of a dialog: the constructor builds the controls (so a derived constructor can bind
// handlers and replace controls); OnInitDialog runs once, just before the window is first shown
// (DoModal, Create or show); OK and Cancel (buttons 1 and 2, Enter, Escape, the close box) end
// it through OnOK and OnCancel unless handlers are bound to those ids.
//
// A window opens in the control OnInitDialog gave the focus, else in the first one Tab reaches;
// when that is a one-line field its text is selected whole, so typing replaces it.

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Dc.h"
#include "DialogTemplate.h"
#include "Seams.h"

class QAbstractButton;
class QCalendarWidget;
class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class ComboBox;
class DateTimePicker;
class ListBoxControl;
class ListView;
class TabControl;

// What happened to a control.
enum class Notification {
    Clicked,      // a button pressed, a command chosen, a click in a list view or notifying label
    DoubleClick,  // in a list box, list view or notifying label
    SelChange,    // the user chose another entry of a combo box, list box, tab strip or calendar
    Changed,      // text of an edit or of a combo's edit field, value of a date-time picker
    ItemChanged,  // selection or check box of a list-view row (also when the program changes it)
    KillFocus,
    SetFocus,
};

class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(int templateId, QWidget* parent = nullptr);
    explicit Dialog(const DialogTemplate* dialogTemplate, QWidget* parent = nullptr);
    ~Dialog() override;

    int TemplateId() const { return templateId_; }
    const DialogTemplate* Template() const { return template_; }

    // ---- running ----------------------------------------------------------------------------
    // Runs the dialog modally and returns the code it ended with (see seams::SetModalHandler).
    int DoModal();
    // Creates the dialog without a modal run: a page (Child template) inside `parent`, at the
    // parent's top left and shown when the template says Visible; any other template as a
    // window of its own owned by `parent`, shown at once.
    bool Create(QWidget* parent);
    // Ends the dialog with `result` (a modal run returns it; a page is hidden).
    void EndDialog(int result);
    bool HasEnded() const { return ended_; }
    int EndCode() const { return endCode_; }

    virtual bool OnInitDialog();
    virtual void OnOK();       // ends with IDOK
    virtual void OnCancel();   // ends with IDCANCEL

    // The window that modal dialogs without a parent belong to (the main window).
    static void SetMainWindow(QWidget* window);
    static QWidget* MainWindow();

    // ---- controls by id (null when there is no such control of that type) ------------------
    QWidget* Item(int id) const;
    template <class T>
    T* ItemAs(int id) const { return qobject_cast<T*>(Item(id)); }
    QAbstractButton* Button(int id) const;
    QCheckBox* CheckBox(int id) const;
    QRadioButton* Radio(int id) const;
    QLineEdit* Edit(int id) const;              // single-line edits
    QPlainTextEdit* MultiEdit(int id) const;    // multi-line edits
    QLabel* Label(int id) const;
    QGroupBox* GroupBox(int id) const;
    ComboBox* Combo(int id) const;
    ListBoxControl* ListBox(int id) const;
    ListView* List(int id) const;
    TabControl* Tab(int id) const;
    QCalendarWidget* Calendar(int id) const;
    DateTimePicker* DatePicker(int id) const;
    std::vector<int> ItemIds() const;

    // Puts the window's own widget in place of the template's control `id`: same place, size,
    // text, visibility and enabled state; the old control is deleted. Returns `replacement`.
    QWidget* ReplaceItem(int id, QWidget* replacement);
    template <class T>
    T* ReplaceItemWith(int id) { return static_cast<T*>(ReplaceItem(id, new T(this))); }
    // Gives a widget made by code an id, so it is reached and bound like a template control.
    void AddItem(int id, QWidget* widget);

    // ---- texts and states -------------------------------------------------------------------
    QString GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const QString& text);
    std::u16string ItemText(int id) const;
    void SetItemText(int id, const std::u16string& text);
    // The number typed in the control (0 when it is not a number; *ok tells).
    int GetDlgItemInt(int id, bool* ok = nullptr) const;
    void SetDlgItemInt(int id, long long value);
    // 0 unchecked, 1 checked, 2 indeterminate.
    int IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, int state);
    // Checks `check` and unchecks every other radio button with an id from first to last.
    void CheckRadioButton(int first, int last, int check);
    int GetCheckedRadioButton(int first, int last) const;  // 0 when none
    void EnableItem(int id, bool enable);
    void ShowItem(int id, bool show);
    // The default button: the one Enter presses (IDOK when none is marked).
    int GetDefID() const { return defaultId_; }
    void SetDefID(int id);

    // Tells the user why what field `id` holds cannot be kept and gives the field the focus
    // (its typed text selected, to be typed over); a field of a page not on show gets it when
    // the page is shown.
    void RefuseField(int id, const QString& message);
    void RefuseField(int id, const std::u16string& message) {
        RefuseField(id, QString::fromStdU16String(message));
    }

    // Numbers typed into fields. On text that is no such number the user is told so, the field
    // gets the focus and the result is false; `value` is then unchanged.
    bool ReadInt(int id, int& value);
    bool ReadUInt(int id, unsigned& value);
    bool ReadDouble(int id, double& value);
    bool ReadFloat(int id, float& value);
    // A date typed into three boxes. A box that holds no whole number is refused with the
    // date's own message, as an impossible date is, so the user learns which date is wrong;
    // that box gets the focus and the values are then unchanged.
    bool ReadDateBoxes(int dayId, int monthId, int yearId, int& day, int& month, int& year,
                       const std::u16string& message);

    // Date and time pickers. A window checks them before it writes anything: true when every
    // picker of the window holds no date or shows a whole one the program stores; otherwise the
    // first that does not, in the window's order, is named to the user (by the message the
    // window gave for it, else a common one), gets the focus, and the answer is false.
    bool CheckDatePickers();
    void SetPickerMessage(int id, std::u16string message);

    // Lists with an edit field, whose typed text stands for one of their entries. A window
    // checks them before it writes anything, whatever closed it with its save: every such list
    // of the window takes the entry its field shows as its choice (as if the user had picked
    // it); the first, in the window's order, whose field holds a text that is no entry (a blank
    // field is none) is named to the user by the name the window gave it, gets the focus, and
    // the answer is false.
    bool CheckTypedChoices();
    void SetChoiceName(int id, std::u16string name);

    // ---- notifications and commands ---------------------------------------------------------
    using Handler = std::function<void()>;
    void Bind(int id, Notification what, Handler handler);
    void OnClicked(int id, Handler handler) { Bind(id, Notification::Clicked, std::move(handler)); }
    void OnDoubleClick(int id, Handler h) { Bind(id, Notification::DoubleClick, std::move(h)); }
    void OnSelChange(int id, Handler h) { Bind(id, Notification::SelChange, std::move(h)); }
    void OnChanged(int id, Handler h) { Bind(id, Notification::Changed, std::move(h)); }
    void OnItemChanged(int id, Handler h) { Bind(id, Notification::ItemChanged, std::move(h)); }
    void OnKillFocus(int id, Handler h) { Bind(id, Notification::KillFocus, std::move(h)); }
    // Runs what the notification of control `id` is bound to, as if the user caused it. Buttons
    // 1 and 2 without a handler of their own run OnOK and OnCancel. False when nothing ran.
    bool Fire(int id, Notification what);
    // A command by id (a button or a menu item).
    bool RunCommand(int id) { return Fire(id, Notification::Clicked); }

    // ---- keys -------------------------------------------------------------------------------
    // Enter presses the default button and Escape cancels, unless the window says otherwise:
    // a swallowed key reaches neither the window nor any of its controls; enterCommand != 0
    // makes Enter anywhere in the window run that command instead; escapeCancelsFirst makes
    // Escape cancel the window before the control with the focus sees it (a web page takes
    // Escape for itself and the window never sees it). A page closes nothing:
    // Enter and Escape that its controls do not take stop at the page and never reach the
    // window holding it.
    struct KeyPolicy {
        bool swallowEnter = false;
        bool swallowEscape = false;
        int enterCommand = 0;
        bool escapeCancelsFirst = false;
    };
    void SetKeyPolicy(const KeyPolicy& policy) { keyPolicy_ = policy; }
    const KeyPolicy& GetKeyPolicy() const { return keyPolicy_; }
    // Sees every key press meant for this window or a control in it (also those of pages inside
    // it) before the control does; true swallows the key. The default applies the key policy.
    // Called again for the same key when it travels up from a control that did not take it, so
    // it must give the same answer for the same key.
    virtual bool PreTranslateKey(QWidget* target, QKeyEvent* event);

    // ---- painting, size, mouse, timers ------------------------------------------------------
    // The background (default: the dialog face colour), then the window's own painting.
    virtual void OnEraseBkgnd(Dc& dc);
    virtual void OnPaint(Dc& dc);
    enum SizeType { SizeRestored = 0, SizeMinimized = 1, SizeMaximized = 2 };
    virtual void OnSize(int type, int width, int height);
    virtual void OnLButtonDown(const QPoint& point);
    virtual void OnLButtonUp(const QPoint& point);
    virtual void OnLButtonDblClk(const QPoint& point);
    virtual void OnRButtonDown(const QPoint& point);
    virtual void OnMouseMove(const QPoint& point);
    virtual void OnMouseLeave();
    virtual void OnShowWindow(bool show);
    virtual void OnTimer(int timerId);
    void SetTimer(int timerId, int milliseconds);
    void KillTimer(int timerId);

    Rect GetClientRect() const { return Rect(0, 0, width(), height()); }
    void Invalidate() { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void reject() override;   // the close box and Escape: runs command IDCANCEL
    void done(int result) override;

private:
    void Build();
    void EnsureInitialized();
    void SelectOpeningField();
    void Register(int id, QWidget* widget);
    void Connect(int id, QWidget* widget);
    bool IsPage() const;

    const DialogTemplate* template_ = nullptr;
    int templateId_ = 0;
    std::map<int, QWidget*> items_;
    std::map<std::pair<int, Notification>, Handler> handlers_;
    std::map<QWidget*, bool> focusState_;
    std::map<int, std::u16string> pickerMessages_;
    QPointer<QWidget> refusedHidden_;   // a refused field waiting for its page to be shown
    std::map<int, std::u16string> choiceNames_;
    std::map<int, int> timers_;   // window timer id -> Qt timer id
    KeyPolicy keyPolicy_;
    int defaultId_ = IDOK;
    bool initialized_ = false;
    bool ended_ = false;
    bool ending_ = false;
    bool inModalLoop_ = false;
    int endCode_ = 0;
};
