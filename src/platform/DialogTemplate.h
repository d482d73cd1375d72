#pragma once
// Dialog templates: a window's caption, size and controls as a plain table, in dialog units, and
// the builder that turns such a table into Qt widgets at fixed pixel positions.
//
// Dialog units convert with the fixed factors of an 8-point dialog font at 96 DPI, so every
// window lays out the same on every machine: x and widths × 1.5, y and heights × 1.625.
// Both edges of a rectangle are converted and rounded down, so controls that touch in dialog
// units touch on screen too: (7,7) 50×14 du becomes (10,11) 75×23 px.
//
// Templates are written as C++ tables in resources/dialogs/, one file per area of the program.
// Each file defines its templates and registers them in its DIALOG_AREA function:
//
//   #include "DialogTemplate.h"
//   namespace {
//   using namespace style;
//   const DialogTemplate kLoftEditor{
//       .id = 130, .caption = u"", .style = Caption | SysMenu, .width = 260, .height = 150,
//       .controls = {
//           {.kind = ControlKind::Label, .id = 1010, .rect = {7, 30, 80, 8}},
//           {.kind = ControlKind::Edit, .id = 1008, .rect = {7, 40, 240, 14}},
//           {.kind = ControlKind::PushButton, .id = 1, .text = u"OK", .rect = {140, 128, 50, 14},
//            .style = DefaultButton},
//       }};
//   }  // namespace
//   DIALOG_AREA { AddDialogTemplate(kLoftEditor); }
//
// The build collects every file of resources/dialogs/ by itself; nothing else needs editing.

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QWidget;
class QCalendarWidget;

// A rectangle in dialog units: position and size.
struct DuRect {
    int x = 0, y = 0, width = 0, height = 0;
};

enum class ControlKind {
    Label,           // static text
    Bitmap,          // static picture of a bitmap resource (`resource`), or of an icon with IconImage
    Frame,           // etched rectangle
    HLine,           // etched horizontal line
    VLine,           // etched vertical line
    GroupBox,
    PushButton,
    CheckBox,
    Radio,
    Edit,            // single line, or several lines with the Multiline style
    Combo,           // DropDownList (default), DropDownEdit or Simple
    ListBox,
    ListView,        // report (default), List or SmallIcon view
    Tab,
    MonthCalendar,
    DateTimePicker,
    // The program's own controls. The controls library registers a factory for each; until it
    // has, a plain stand-in is built (push button, label, label, empty widget).
    FlatButton,
    TransparentLabel,
    PictureBox,
    WebBrowser,
};

// Style flags of controls and dialogs. A flag that does not apply to a kind is ignored.
namespace style {
using Flags = std::uint64_t;
// every control
inline constexpr Flags Hidden = 1ull << 0;
inline constexpr Flags Disabled = 1ull << 1;
inline constexpr Flags Border = 1ull << 2;
inline constexpr Flags Group = 1ull << 3;        // starts a group (radio buttons)
inline constexpr Flags VScroll = 1ull << 4;
inline constexpr Flags HScroll = 1ull << 5;
// text alignment (labels, edits)
inline constexpr Flags Center = 1ull << 6;
inline constexpr Flags Right = 1ull << 7;
inline constexpr Flags VCenter = 1ull << 8;
// labels and pictures
inline constexpr Flags Sunken = 1ull << 9;
inline constexpr Flags Notify = 1ull << 10;       // clicks on a label are reported
inline constexpr Flags IconImage = 1ull << 11;    // Bitmap kind shows icon `resource`
inline constexpr Flags RealSize = 1ull << 12;     // Bitmap kind keeps the template size
// buttons
inline constexpr Flags DefaultButton = 1ull << 13;
inline constexpr Flags Flat = 1ull << 14;
inline constexpr Flags TriState = 1ull << 15;
inline constexpr Flags MultiLineText = 1ull << 16;
// edits
inline constexpr Flags Multiline = 1ull << 17;
inline constexpr Flags Number = 1ull << 18;       // digits only
inline constexpr Flags UpperCase = 1ull << 19;
inline constexpr Flags ReadOnly = 1ull << 20;
inline constexpr Flags Password = 1ull << 21;
inline constexpr Flags WantReturn = 1ull << 22;
// combo boxes and list boxes
inline constexpr Flags DropDownList = 1ull << 23;
inline constexpr Flags DropDownEdit = 1ull << 24;
inline constexpr Flags Simple = 1ull << 25;
inline constexpr Flags Sort = 1ull << 26;
inline constexpr Flags MultiSelect = 1ull << 27;
// list views
inline constexpr Flags Report = 1ull << 28;
inline constexpr Flags List = 1ull << 29;
inline constexpr Flags SmallIcon = 1ull << 30;
inline constexpr Flags CheckBoxes = 1ull << 31;
inline constexpr Flags GridLines = 1ull << 32;
inline constexpr Flags FullRowSelect = 1ull << 33;
inline constexpr Flags SingleSelect = 1ull << 34;
inline constexpr Flags ShowSelAlways = 1ull << 35;
inline constexpr Flags NoColumnHeader = 1ull << 36;
// month calendars and date-time pickers
inline constexpr Flags NoToday = 1ull << 37;
inline constexpr Flags LongDate = 1ull << 38;
inline constexpr Flags TimeFormat = 1ull << 39;
inline constexpr Flags ShowNone = 1ull << 40;     // a check box that clears the date
inline constexpr Flags UpDown = 1ull << 41;
// dialogs
inline constexpr Flags Caption = 1ull << 48;
inline constexpr Flags SysMenu = 1ull << 49;
inline constexpr Flags MinimizeBox = 1ull << 50;
inline constexpr Flags MaximizeBox = 1ull << 51;
inline constexpr Flags Resizable = 1ull << 52;
inline constexpr Flags Child = 1ull << 53;        // a page placed inside another window
inline constexpr Flags Popup = 1ull << 54;        // no frame and no caption
inline constexpr Flags Visible = 1ull << 55;      // a child page shown as soon as it is created
}  // namespace style

struct ControlTemplate {
    ControlKind kind = ControlKind::Label;
    int id = -1;                         // -1: a control nobody addresses
    const char16_t* text = u"";
    DuRect rect;
    style::Flags style = 0;
    int resource = 0;                    // bitmap or icon id of a Bitmap control
    std::vector<std::u16string> items;   // initial entries of a combo box or list box
};

struct DialogTemplate {
    int id = 0;
    const char16_t* caption = u"";
    style::Flags style = style::Caption | style::SysMenu;
    const char16_t* fontFace = u"MS Shell Dlg";
    int fontPoints = 8;
    int width = 0, height = 0;           // client size in dialog units
    std::vector<ControlTemplate> controls;
};

// ---- conversion -------------------------------------------------------------------------------

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

int DuToPixelsX(int du);
int DuToPixelsY(int du);
PixelRect DuToPixels(const DuRect& rect);

// ---- registry ---------------------------------------------------------------------------------

// Registers a copy of the template under its id. A second template with the same id is refused
// (false) and reported on the console; the first one stays.
bool AddDialogTemplate(const DialogTemplate& dialog);

// Each file of resources/dialogs/ defines its registration function with this macro; the build
// gives every file a function name of its own.
#define DIALOG_AREA void OX_DIALOG_AREA_FUNCTION()

// ---- building ---------------------------------------------------------------------------------

// Makes one control of a template as a child of `parent`, at its pixel position. The program's
// own control kinds come from the factory registered for the kind.
QWidget* BuildControl(const ControlTemplate& control, QWidget* parent);

// Makes every control of the template as children of `parent`, in template order (which is also
// the tab order and the stacking order: later controls lie above earlier ones). Radio buttons
// are grouped by the Group style: a group runs from one control with Group to the next one.
// Returns the widgets in template order.
std::vector<QWidget*> BuildControls(const DialogTemplate& dialog, QWidget* parent);

// The controls library registers how its controls are made. The factory receives the template
// entry and the parent and returns a widget; the builder places it and applies Hidden/Disabled.
using ControlFactory = std::function<QWidget*(const ControlTemplate&, QWidget*)>;
void RegisterControlFactory(ControlKind kind, ControlFactory factory);

// A month calendar as the windows show it: Polish, weeks from Monday, two-letter weekday
// headings, no week numbers and no grid.
void UseCalendarLook(QCalendarWidget* calendar);

// A caption as shown: a single '&' marks a keyboard mnemonic and is dropped; "&&" is an '&'.
QString WithoutMnemonic(const QString& text);
