#include "Browser.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QPageRanges>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfDocument>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Seams.h"

namespace browser_seams {
namespace {
std::function<void(QPrintPreviewDialog&)> g_previewHook;
}  // namespace

void SetPrintPreviewHook(std::function<void(QPrintPreviewDialog&)> hook) {
    g_previewHook = std::move(hook);
}

}  // namespace browser_seams

namespace {

// Lets the event loop run until `done` holds or the time is up (a negative timeout waits for as
// long as it takes). User input is held back meanwhile, so a click cannot start a second
// operation on a browser that is still waiting for the first.
bool SpinUntil(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline =
        timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs);
    QTimer wake;  // makes sure the wait below returns to look at the clock
    wake.start(20);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        QEventLoop::ExcludeUserInputEvents);
    }
    return true;
}

// A value written as a JavaScript literal.
QString ScriptLiteral(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return QStringLiteral("null");
    QJsonArray array{QJsonValue::fromVariant(value)};
    const QString json = QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
    return json.mid(1, json.size() - 2);  // strip the brackets
}

bool SameUrl(const QUrl& a, const QUrl& b) {
    const auto options = QUrl::NormalizePathSegments | QUrl::StripTrailingSlash;
    return a.adjusted(options) == b.adjusted(options);
}

}  // namespace

Browser::Browser(QWidget* parent) : QWidget(parent), view_(new QWebEngineView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    connect(view_->page(), &QWebEnginePage::loadingChanged, this, &Browser::OnLoadingChanged);
}

Browser::~Browser() = default;

bool Browser::HoldsWidget(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (qobject_cast<const Browser*>(w)) return true;
        if (w->isWindow()) break;
    }
    return false;
}

void Browser::Navigate(const QString& pathOrUrl) {
    if (pathOrUrl.isEmpty()) return;
    if (QDir::isAbsolutePath(pathOrUrl)) {
        Navigate(QUrl::fromLocalFile(pathOrUrl));
        return;
    }
    const QUrl url(pathOrUrl);
    // A one-letter "scheme" is a drive letter, not a scheme.
    if (url.isValid() && url.scheme().size() > 1) {
        Navigate(url);
        return;
    }
    Navigate(QUrl::fromLocalFile(QFileInfo(pathOrUrl).absoluteFilePath()));
}

void Browser::Navigate(const QUrl& url) {
    if (url.isEmpty()) return;
    requested_ = url;
    awaitingLoad_ = true;
    documentOk_ = false;
    followingPage_ = false;
    view_->load(url);
}

void Browser::NewDocument() { Navigate(QUrl(QStringLiteral("about:blank"))); }

void Browser::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        // A navigation the page started itself (a link, a script): until it ends, the document
        // shown is on its way out and must not be edited or read.
        if (!awaitingLoad_) {
            requested_ = info.url();
            awaitingLoad_ = true;
            documentOk_ = false;
            followingPage_ = true;
        }
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
    case QWebEngineLoadingInfo::LoadFailedStatus:
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        // Loads that were superseded by a later request end here too; only the one asked for
        // last decides what is shown.
        // The page's own navigations may be redirected, so any end of loading ends them.
        if (!followingPage_ && !SameUrl(info.url(), requested_)) break;
        awaitingLoad_ = false;
        followingPage_ = false;
        documentOk_ = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus &&
                      !info.isErrorPage();
        break;
    }
}

bool Browser::WaitForDocument(int timeoutMs) {
    if (awaitingLoad_) SpinUntil([this] { return !awaitingLoad_; }, timeoutMs);
    return !awaitingLoad_ && documentOk_;
}

bool Browser::DocumentReady() { return WaitForDocument(kLoadTimeoutMs); }

QVariant Browser::RunScript(const QString& script, int timeoutMs) {
    if (!DocumentReady()) return {};
    struct Answer {
        bool done = false;
        QVariant value;
    };
    // Shared with the callback, which may still arrive after a timeout.
    auto answer = std::make_shared<Answer>();
    view_->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                 [answer](const QVariant& value) {
                                     answer->value = value;
                                     answer->done = true;
                                 });
    if (!SpinUntil([answer] { return answer->done; }, timeoutMs)) return {};
    // A navigation that started while the script ran means the answer may describe the
    // document that is now going away.
    if (awaitingLoad_) return {};
    return answer->value;
}

bool Browser::SetDesignMode(bool on) {
    const QString mode = on ? QStringLiteral("on") : QStringLiteral("off");
    const QVariant result = RunScript(
        QStringLiteral("document.designMode = %1; document.designMode;").arg(ScriptLiteral(mode)));
    return result.toString() == mode;
}

bool Browser::DesignMode() {
    return RunScript(QStringLiteral("document.designMode")).toString() == QLatin1String("on");
}

int Browser::QueryCommandStatus(const QString& command) {
    const QVariant result = RunScript(QStringLiteral(
        "(function (c) {"
        "  try {"
        "    return (document.queryCommandSupported(c) ? 1 : 0) |"
        "           (document.queryCommandEnabled(c) ? 2 : 0);"
        "  } catch (e) { return 0; }"
        "})(%1)").arg(ScriptLiteral(command)));
    return result.isValid() ? result.toInt() : 0;
}

bool Browser::ExecCommand(const QString& command, const QVariant& value) {
    const QVariant result = RunScript(QStringLiteral(
        "(function (c, v) {"
        "  try {"
        "    if (!document.queryCommandSupported(c) || !document.queryCommandEnabled(c))"
        "      return false;"
        "    return document.execCommand(c, false, v === null ? undefined : String(v));"
        "  } catch (e) { return false; }"
        "})(%1, %2)").arg(ScriptLiteral(command), ScriptLiteral(value)));
    return result.toBool();
}

void Browser::SetDefaultCharset(const QString& charset) {
    view_->settings()->setDefaultTextEncoding(charset);
}

bool Browser::GetHtml(QString& html, int timeoutMs) {
    const QVariant result = RunScript(QStringLiteral(
        "(function () {"
        "  var d = document, s = '';"
        "  if (d.doctype) s = new XMLSerializer().serializeToString(d.doctype) + '\\n';"
        "  return d.documentElement ? s + d.documentElement.outerHTML : s;"
        "})()"), timeoutMs);
    if (result.typeId() != QMetaType::QString) return false;
    html = result.toString();
    return true;
}

bool Browser::PageSetsItsMargins() {
    // A page that lays itself out on the sheet (a pedigree) says so with an @page rule giving
    // margins; its sheet is printed edge to edge as it asks.
    return RunScript(QStringLiteral(
        "(function () {"
        "  for (const sheet of document.styleSheets) {"
        "    let rules;"
        "    try { rules = sheet.cssRules; } catch (e) { continue; }"
        "    for (const rule of rules) {"
        "      if (rule.type !== CSSRule.PAGE_RULE) continue;"
        "      const s = rule.style;"
        "      if (s.marginTop || s.marginRight || s.marginBottom || s.marginLeft) return true;"
        "    }"
        "  }"
        "  return false;"
        "})()")).toBool();
}

bool Browser::WritesPdfFile(QPrinter& printer) {
    // The preview draws onto a printer whose engine only records pictures, whatever the
    // printer's output format: it always gets the pages drawn.
    const QPaintEngine* engine = printer.paintEngine();
    if (engine && engine->type() == QPaintEngine::Picture) return false;
    const QString file = printer.outputFileName();
    return !file.isEmpty() && (printer.outputFormat() == QPrinter::PdfFormat ||
                               file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive));
}

bool Browser::PrintTo(QPrinter& printer) {
    if (printing_ || !DocumentReady()) return false;
    // The engine makes the PDF of the document itself, with the margins given here: the engine
    // ignores a printer's margins when it renders onto a printer, and the printer's own ones are
    // a few tenths of a millimetre wide anyway. The pages are then drawn sheet by sheet.
    QPageLayout layout = printer.pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    layout.setUnits(QPageLayout::Millimeter);
    const qreal margin = PageSetsItsMargins() ? 0.0 : kPrintMarginMm;
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(QMarginsF(margin, margin, margin, margin));
    // A PDF file gets the engine's own PDF as it is, text and fonts included (drawn pages would
    // be pictures); the engine leaves out the pages not asked for.
    const bool toFile = WritesPdfFile(printer);
    const QPageRanges ranges = toFile ? printer.pageRanges() : QPageRanges();
    printing_ = true;
    auto pdf = std::make_shared<std::pair<bool, QByteArray>>(false, QByteArray());  // done, bytes
    view_->page()->printToPdf([pdf](const QByteArray& bytes) {
        pdf->first = true;
        pdf->second = bytes;
    }, layout, ranges);
    // The engine writes into the callback's state until it reports back: wait for that however
    // long it takes.
    SpinUntil([pdf] { return pdf->first; }, -1);
    printing_ = false;
    if (toFile) return SavePdf(pdf->second, printer.outputFileName());
    return !pdf->second.isEmpty() && DrawPdfPages(pdf->second, printer);
}

bool Browser::SavePdf(const QByteArray& bytes, const QString& path) {
    // Written whole or not at all: a failed printout never leaves half a file in place of the
    // one that was there.
    QSaveFile file(path);
    const bool saved = !bytes.isEmpty() && file.open(QIODevice::WriteOnly) &&
                       file.write(bytes) == bytes.size() && file.commit();
    if (!saved)
        MessageBox(window(), QStringLiteral("Nie udało się zapisać wydruku do pliku:\n") + path,
                   {}, MB_OK | MB_ICONERROR);
    return saved;
}

bool Browser::DrawPdfPages(const QByteArray& bytes, QPrinter& printer) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    SpinUntil([&document] { return document.status() != QPdfDocument::Status::Loading; },
              kLoadTimeoutMs);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() < 1) return false;

    // The pages go out as images at the printer's resolution; beyond 300 dots per inch they
    // only cost time and memory (an A4 page at 1200 is over half a gigabyte).
    if (printer.resolution() > 300) printer.setResolution(300);
    printer.setFullPage(true);  // the margins are inside the engine's pages already
    int first = 0, last = document.pageCount() - 1;
    const QPageRanges ranges = printer.pageRanges();
    if (!ranges.isEmpty()) {
        first = std::max(first, ranges.firstPage() - 1);
        last = std::min(last, ranges.lastPage() - 1);
    }
    QPainter painter;
    for (int page = first; page <= last; ++page) {
        if (!ranges.isEmpty() && !ranges.contains(page + 1)) continue;
        const QSizeF points = document.pagePointSize(page);
        printer.setPageOrientation(points.width() > points.height() ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait);
        if (!painter.isActive()) {
            if (!painter.begin(&printer)) return false;
        } else if (!printer.newPage()) {
            return false;
        }
        const QRect sheet = printer.pageLayout().fullRectPixels(printer.resolution());
        const QSize size = (points * printer.resolution() / 72.0)
                               .scaled(QSizeF(sheet.size()), Qt::KeepAspectRatio).toSize();
        const QImage rendered = document.render(page, size);
        if (rendered.isNull()) return false;
        // The engine leaves the paper transparent; printers and PDF pages want it white.
        QImage sheetImage(size, QImage::Format_RGB32);
        sheetImage.fill(Qt::white);
        QPainter(&sheetImage).drawImage(0, 0, rendered);
        painter.drawImage(QRect(QPoint(0, 0), size), sheetImage);
    }
    return painter.end();
}

bool Browser::Print(bool prompt) {
    if (!DocumentReady()) return false;
    QPrinter printer(QPrinter::HighResolution);
    if (!PreparePrinter(printer, window(), prompt)) return false;
    return PrintTo(printer);
}

void Browser::PrintPreview() {
    if (!DocumentReady()) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!seams::PrintToPdf().isEmpty()) {
        // Printing from the preview reaches the tests' PDF file too.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(seams::PrintToPdf());
    }
    QPrintPreviewDialog dialog(&printer, window());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintTo(*target); });
    if (browser_seams::g_previewHook) {
        browser_seams::g_previewHook(dialog);
        return;
    }
    if (seams::TestMode()) return;  // tests never wait on a window
    dialog.exec();
}

namespace {
bool g_endedNormally = false;

void ExplainUnexpectedEnd() {
    if (g_endedNormally) return;
    std::fputs("ornivex6: program zakończony przez silnik przeglądarki (Qt WebEngine), który nie "
               "mógł się uruchomić; komunikat silnika powyżej mówi dlaczego.\n",
               stderr);
}
}  // namespace

void PrepareWebEngine(bool runningAsRoot) {
    if (runningAsRoot && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        std::fputs("ornivex6: uruchomiony jako root, piaskownica silnika przeglądarki wyłączona.\n",
                   stderr);
    }
    static const bool registered = std::atexit(ExplainUnexpectedEnd) == 0;
    (void)registered;
}

void EndedNormally() { g_endedNormally = true; }
