#pragma once
// What the markup renderer draws text on: font choice, text metrics and extents, text output
// with spaces stretched for justified lines, and the Dc for everything else (fills, lines,
// images). Layout tests measure on a surface with fixed glyph advances; the program draws
// through DcMarkupSurface.

#include <QSize>
#include <QString>

#include "Dc.h"

struct MarkupFont {
    int height = 16;  // character cell height in pixels
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;
    friend bool operator==(const MarkupFont&, const MarkupFont&) = default;
};

struct MarkupTextMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
};

class MarkupSurface {
public:
    virtual ~MarkupSurface() = default;

    virtual void SelectFont(const MarkupFont& font) = 0;
    virtual MarkupTextMetrics Metrics() const = 0;
    // Width and height of a text in the selected font, without justification.
    virtual QSize PlainExtent(const QString& text) const = 0;
    virtual void DrawPlainText(int x, int y, const QString& text) = 0;
    virtual int PixelsPerInchY() const { return 96; }
    virtual void SetTextColor(COLORREF) {}
    virtual void SetBkMode(int) {}
    virtual void SetBkColor(COLORREF) {}
    // The painting surface; null on a surface that only measures.
    virtual Dc* GetDc() { return nullptr; }

    // Spreads `extra` pixels over the next `breaks` spaces drawn: each gets extra / breaks, the
    // first extra % breaks of them one more. (0, 0) ends it.
    void SetTextJustification(int extra, int breaks);
    // The extent with the spaces stretched as the next TextOut would stretch them.
    QSize TextExtent(const QString& text) const;
    // Draws the text, stretching its spaces; the spaces drawn use up the justification.
    void TextOut(int x, int y, const QString& text);

private:
    int SpaceExtra(int spaceNumber) const;

    int extra_ = 0;
    int breaks_ = 0;
    int used_ = 0;
};

// Draws through a Dc in the platform's fonts.
class DcMarkupSurface : public MarkupSurface {
public:
    explicit DcMarkupSurface(Dc& dc) : dc_(dc) {}

    void SelectFont(const MarkupFont& font) override;
    MarkupTextMetrics Metrics() const override;
    QSize PlainExtent(const QString& text) const override;
    void DrawPlainText(int x, int y, const QString& text) override;
    void SetTextColor(COLORREF color) override { dc_.SetTextColor(color); }
    void SetBkMode(int mode) override { dc_.SetBkMode(mode); }
    void SetBkColor(COLORREF color) override { dc_.SetBkColor(color); }
    Dc* GetDc() override { return &dc_; }

private:
    Dc& dc_;
    MarkupFont selected_;
    bool hasFont_ = false;
};
