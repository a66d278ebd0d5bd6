// Text through Pango: fonts from the logical-font record, measurement, and
// drawing straight into the 32-bit canvases. Measuring and drawing build the
// same layout, so a width measured here is the width drawn.
//
// The symbol font "Marlett" does not exist here; its close cross ("r") is
// drawn by hand at the requested size, every other character as blank space.
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/objects.h"
#include "platform/gdi/text_runs.h"

namespace gdi32 {
namespace detail {

struct FontCache {
    PangoFontDescription* desc = nullptr;
    bool marlett = false;
    int em = 12;      // character height without internal leading
    int ascent = 0;
    int descent = 0;
    std::string key;  // the description as text: names the font in the run cache
    ~FontCache() {
        if (desc) pango_font_description_free(desc);
    }
};

}  // namespace detail

using namespace detail;

namespace {

constexpr int kDpi = 96;

// One Pango context for every font: fixed resolution and hinted metrics, so
// extents are whole pixels and independent of any display.
PangoContext* Context() {
    static PangoContext* ctx = [] {
        PangoFontMap* map = pango_cairo_font_map_new();
        pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(map), kDpi);
        PangoContext* c = pango_font_map_create_context(map);
        g_object_unref(map);  // the context keeps it
        cairo_font_options_t* opt = cairo_font_options_create();
        cairo_font_options_set_antialias(opt, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_metrics(opt, CAIRO_HINT_METRICS_ON);
        cairo_font_options_set_hint_style(opt, CAIRO_HINT_STYLE_SLIGHT);
        pango_cairo_context_set_font_options(c, opt);
        cairo_font_options_destroy(opt);
        return c;
    }();
    return ctx;
}

bool IsMarlett(const char* face) { return g_ascii_strcasecmp(face, "Marlett") == 0; }

// Asking Pango for metrics loads the font; a program makes the same few fonts
// over and over, so the answers are kept by description.
void MeasureFont(FontCache& fc) {
    gchar* described = pango_font_description_to_string(fc.desc);
    fc.key = described;
    g_free(described);
    static std::unordered_map<std::string, std::pair<int, int>> known;
    auto it = known.find(fc.key);
    if (it == known.end()) {
        PangoFontMetrics* m = pango_context_get_metrics(Context(), fc.desc, nullptr);
        const std::pair<int, int> measured{PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(m)),
                                           PANGO_PIXELS_CEIL(pango_font_metrics_get_descent(m))};
        pango_font_metrics_unref(m);
        if (known.size() >= 256) known.clear();
        it = known.emplace(fc.key, measured).first;
    }
    fc.ascent = it->second.first;
    fc.descent = it->second.second;
    // The cell must hold the character height, whatever the font reports.
    if (fc.ascent + fc.descent < fc.em) fc.ascent = fc.em - fc.descent;
}

FontCache& CacheOf(HFONT hfont) {
    FontObj* f = Get<FontObj>(hfont);
    if (f->cache) return *f->cache;
    auto fc = std::make_shared<FontCache>();
    const LOGFONTA& lf = f->lf;
    fc->marlett = IsMarlett(lf.lfFaceName);
    fc->desc = pango_font_description_new();
    const char* family = lf.lfFaceName[0] && std::strcmp(lf.lfFaceName, "System") != 0
                             ? lf.lfFaceName
                             : "Sans";
    pango_font_description_set_family(fc->desc, family);
    pango_font_description_set_weight(fc->desc, static_cast<PangoWeight>(
                                                    lf.lfWeight <= 0 ? FW_NORMAL : std::clamp<LONG>(lf.lfWeight, 100, 1000)));
    pango_font_description_set_style(fc->desc, lf.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    // Negative height: the character height; positive: the whole cell, which
    // is scaled down by the font's own cell-to-em ratio; zero: a normal size.
    int em = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight == 0 ? 12 : lf.lfHeight;
    em = std::clamp(em, 1, 2000);
    fc->em = em;
    pango_font_description_set_absolute_size(fc->desc, em * PANGO_SCALE);
    if (fc->marlett) {
        fc->ascent = em;
        fc->descent = 0;
    } else {
        MeasureFont(*fc);
        if (lf.lfHeight > 0 && fc->ascent + fc->descent > lf.lfHeight) {
            const double ratio = static_cast<double>(lf.lfHeight) / (fc->ascent + fc->descent);
            fc->em = std::max(1, static_cast<int>(std::lround(em * ratio)));
            pango_font_description_set_absolute_size(fc->desc, fc->em * PANGO_SCALE);
            MeasureFont(*fc);
        }
    }
    f->cache = fc;
    return *fc;
}

// The font selected in a context; a dead handle falls back to the system font.
HFONT FontOf(HDC hdc) {
    DcObj* dc = Get<DcObj>(hdc);
    if (dc && Get<FontObj>(dc->font)) return dc->font;
    return GetStockObject(SYSTEM_FONT);
}

// A prepared line set: the text without '&' prefixes, where the underlined
// prefix character sits, and its shaped run.
struct Laid {
    int width = 0;
    int height = 0;
    int lineHeight = 0;
    const FontCache* fc = nullptr;
    const LOGFONTA* lf = nullptr;
    std::string text;
    int underlineAt = -1;
    std::string key;
    std::shared_ptr<TextRun> run;  // null for the symbol font
};

PangoLayout* NewLayout(const Laid& laid) {
    PangoLayout* layout = pango_layout_new(Context());
    pango_layout_set_font_description(layout, laid.fc->desc);
    pango_layout_set_text(layout, laid.text.data(), static_cast<int>(laid.text.size()));
    PangoAttrList* attrs = pango_attr_list_new();
    if (laid.lf->lfUnderline) pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (laid.lf->lfStrikeOut) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    if (laid.underlineAt >= 0) {
        PangoAttribute* a = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
        a->start_index = static_cast<guint>(laid.underlineAt);
        const char* next = g_utf8_next_char(laid.text.data() + laid.underlineAt);
        a->end_index = static_cast<guint>(next - laid.text.data());
        pango_attr_list_insert(attrs, a);
    }
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
    return layout;
}

void Prepare(HDC hdc, const std::string& utf8, UINT format, Laid* out) {
    HFONT hf = FontOf(hdc);
    const FontCache& fc = CacheOf(hf);
    out->lf = &Get<FontObj>(hf)->lf;
    out->fc = &fc;
    out->lineHeight = fc.ascent + fc.descent;
    std::string& text = out->text;
    if (format & DT_NOPREFIX) {
        text = utf8;
    } else {
        text.reserve(utf8.size());
        for (size_t i = 0; i < utf8.size(); ++i) {
            if (utf8[i] == '&' && i + 1 < utf8.size()) {
                ++i;
                if (utf8[i] != '&') out->underlineAt = static_cast<int>(text.size());
            }
            text.push_back(utf8[i]);
        }
    }
    if (format & DT_SINGLELINE) std::replace(text.begin(), text.end(), '\n', ' ');
    if (fc.marlett) {
        const int chars = static_cast<int>(g_utf8_strlen(text.data(), static_cast<gssize>(text.size())));
        out->width = chars * fc.em;
        out->height = fc.em;
        return;
    }
    std::string& key = out->key;
    key.reserve(fc.key.size() + text.size() + 16);
    key = fc.key;
    key += out->lf->lfUnderline ? "|u" : "|-";
    key += out->lf->lfStrikeOut ? 's' : '-';
    key += std::to_string(out->underlineAt);
    key += '|';
    key += text;
    out->run = TextRuns().Find(key);
    if (!out->run) {
        PangoLayout* layout = NewLayout(*out);
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        TextRun run;
        run.width = PANGO_PIXELS_CEIL(logical.width);
        const int lines = std::max(1, pango_layout_get_line_count(layout));
        run.height = text.empty() ? out->lineHeight : lines * out->lineHeight;
        g_object_unref(layout);
        out->run = TextRuns().Insert(key, std::move(run));
    }
    out->width = out->run->width;
    out->height = out->run->height;
}

// Coverage (0..255) of the w x h part of the layout's cell whose top left
// is (left, top) in the cell; empty if the toolkit cannot make the image.
std::vector<uint8_t> RenderCoverage(const Laid& laid, int left, int top, int w, int h) {
    std::vector<uint8_t> out;
    if (w <= 0 || h <= 0) return out;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        cairo_t* cr = cairo_create(s);
        cairo_translate(cr, -left, -top);
        PangoLayout* layout = NewLayout(laid);
        pango_cairo_show_layout(cr, layout);
        g_object_unref(layout);
        cairo_destroy(cr);
        cairo_surface_flush(s);
        const uint8_t* a = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        if (a) {
            out.resize(static_cast<size_t>(w) * h);
            for (int y = 0; y < h; ++y) std::memcpy(&out[static_cast<size_t>(y) * w], a + y * stride, w);
        }
    }
    cairo_surface_destroy(s);
    return out;
}

// The cell reaches a quarter em past the logical width for the overhang of
// italics, which text drawn without clipping may show.
SIZE CellOf(const Laid& laid) { return SIZE{laid.run->width + laid.fc->em / 4, laid.run->height}; }

// Cells up to this size are kept whole with their run; a larger one (a very
// long line) is rendered each time, only where it is seen.
bool Keepable(SIZE cell) { return cell.cx <= 4096 && cell.cy <= 1024; }

// The coverage of the run's cell, rendered the first time the run is drawn.
const TextRun& Covered(const Laid& laid) {
    TextRun& run = *laid.run;
    const SIZE cell = CellOf(laid);
    if (!run.coverage.empty() || !Keepable(cell)) return run;
    run.coverage = RenderCoverage(laid, 0, 0, cell.cx, cell.cy);
    if (run.coverage.empty()) return run;
    run.coverW = cell.cx;
    run.coverH = cell.cy;
    TextRuns().AddedCoverage(run.coverage.size());
    return run;
}

// The close cross of the symbol font: two diagonals, two pixels thick from a
// character height of 8 up, inset by one pixel in an em-square cell.
void DrawMarlett(raster::Canvas& c, const std::string& text, int x, int y, int em, uint32_t pixel,
                 const RECT* clipTo) {
    raster::Canvas cc = c;
    if (clipTo) {
        RECT d{clipTo->left + c.ox, clipTo->top + c.oy, clipTo->right + c.ox, clipTo->bottom + c.oy};
        cc.clip = RECT{std::max(c.clip.left, d.left), std::max(c.clip.top, d.top),
                       std::min(c.clip.right, d.right), std::min(c.clip.bottom, d.bottom)};
        if (cc.clip.left >= cc.clip.right || cc.clip.top >= cc.clip.bottom) return;
    }
    const char* p = text.c_str();
    for (int cell = 0; *p; ++cell, p = g_utf8_next_char(p)) {
        if (*p != 'r') continue;
        const int left = x + cell * em + 1, top = y + 1, n = em - 2;
        if (n < 1) continue;
        const int thick = em >= 8 ? 2 : 1;
        for (int i = 0; i < n; ++i)
            for (int t = 0; t < thick; ++t) {
                const int xi = std::min(i + t, n - 1);
                raster::Plot(cc, left + xi, top + i, pixel);
                raster::Plot(cc, left + n - 1 - xi, top + i, pixel);
            }
    }
}

// out = round((pixel * a + out * (255 - a)) / 255) per channel, exact for
// every coverage (0 leaves the pixel, 255 gives the text colour): red and
// blue side by side in one word, and (x + 128 + ((x + 128) >> 8)) >> 8 is the
// rounded quotient for any x up to 255 * 255. Without branches the loop is
// vectorized, and built for wider vectors where the processor has them.
__attribute__((target_clones("avx2", "default"))) void BlendRow(uint32_t* out, const uint8_t* a, int n,
                                                               uint32_t pixel) {
    const uint32_t prb = pixel & 0x00FF00FF, pg = (pixel >> 8) & 0xFF;
    for (int i = 0; i < n; ++i) {
        const uint32_t al = a[i], inv = 255 - al, o = out[i];
        uint32_t rb = prb * al + (o & 0x00FF00FF) * inv + 0x00800080;
        rb = ((rb + ((rb >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
        uint32_t g = pg * al + ((o >> 8) & 0xFF) * inv + 0x80;
        g = ((g + (g >> 8)) >> 8) & 0xFF;
        out[i] = rb | (g << 8);
    }
}

// Blends the text color through the run's coverage over the visible part of
// the cell (device coordinates), so clip regions, window origins and
// monochrome bitmaps are handled in one place. (x, y) is the cell's logical
// top left.
void Render(raster::Canvas& c, const Laid& laid, int x, int y, const RECT& visible, uint32_t pixel) {
    const TextRun& run = Covered(laid);
    // The coverage at hand: the kept cell, or just the visible part of a cell
    // too large to keep.
    std::vector<uint8_t> part;
    const uint8_t* coverage = run.coverage.data();
    int cellX = x + c.ox, cellY = y + c.oy, coverW = run.coverW, coverH = run.coverH;
    if (run.coverage.empty()) {
        coverW = visible.right - visible.left;
        coverH = visible.bottom - visible.top;
        part = RenderCoverage(laid, visible.left - cellX, visible.top - cellY, coverW, coverH);
        if (part.empty()) return;
        coverage = part.data();
        cellX = visible.left;
        cellY = visible.top;
    }
    const int left = std::max<int>(visible.left, cellX), top = std::max<int>(visible.top, cellY);
    const int right = std::min<int>(visible.right, cellX + coverW);
    const int bottom = std::min<int>(visible.bottom, cellY + coverH);
    for (int dy = top; dy < bottom; ++dy) {
        const uint8_t* a = coverage + static_cast<size_t>(dy - cellY) * coverW;
        uint32_t* row = &c.At(0, dy);
        if (!c.region && !c.mono) {
            if (left < right) BlendRow(row + left, a + (left - cellX), right - left, pixel);
            continue;
        }
        raster::ForVisible(c, dy, left, right, [&](int dx) {
            const uint32_t al = a[dx - cellX];
            if (!al) return;
            uint32_t& out = row[dx];
            if (c.mono) {
                if (al >= 128) out = c.Fit(pixel);
                return;
            }
            BlendRow(&out, &a[dx - cellX], 1, pixel);
        });
    }
}

int DrawTextUtf8(HDC hdc, const std::string& utf8, RECT* rect, UINT format) {
    DcObj* dc = Get<DcObj>(hdc);
    if (!dc || !rect) return 0;
    Laid laid;
    Prepare(hdc, utf8, format, &laid);
    if (format & DT_CALCRECT) {
        rect->right = rect->left + laid.width;
        rect->bottom = rect->top + laid.height;
        return laid.height;
    }
    int x = rect->left, y = rect->top;
    if (format & DT_CENTER) x = rect->left + (rect->right - rect->left - laid.width) / 2;
    else if (format & DT_RIGHT) x = rect->right - laid.width;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) y = rect->top + (rect->bottom - rect->top - laid.height) / 2;
        else if (format & DT_BOTTOM) y = rect->bottom - laid.height;
    }
    raster::Canvas c;
    if (!GetCanvas(hdc, &c)) return laid.height;
    // The drawing may touch the text's cell, limited to the rectangle unless
    // DT_NOCLIP; all in device coordinates.
    RECT cell{x, y, x + laid.width, y + laid.height};
    RECT area = cell;
    if (!(format & DT_NOCLIP)) {
        area.left = std::max(area.left, rect->left);
        area.top = std::max(area.top, rect->top);
        area.right = std::min(area.right, rect->right);
        area.bottom = std::min(area.bottom, rect->bottom);
    }
    // Italic overhang may spill a little past the logical width.
    if (format & DT_NOCLIP) area.right += laid.fc->em / 4;
    RECT visible{std::max<LONG>(area.left + c.ox, c.clip.left), std::max<LONG>(area.top + c.oy, c.clip.top),
                 std::min<LONG>(area.right + c.ox, c.clip.right), std::min<LONG>(area.bottom + c.oy, c.clip.bottom)};
    if (visible.left >= visible.right || visible.top >= visible.bottom) return laid.height;
    if (dc->bkMode == OPAQUE) {
        RECT logical{visible.left - c.ox, visible.top - c.oy, visible.right - c.ox, visible.bottom - c.oy};
        raster::Fill(c, logical, raster::PixelFromColorref(dc->bk));
    }
    const uint32_t pixel = raster::PixelFromColorref(dc->text);
    if (laid.fc->marlett) {
        RECT logical{visible.left - c.ox, visible.top - c.oy, visible.right - c.ox, visible.bottom - c.oy};
        DrawMarlett(c, laid.text, x, y, laid.fc->em, pixel, &logical);
    } else {
        Render(c, laid, x, y, visible, pixel);
    }
    return laid.height;
}

std::string Utf8FromUtf16(const char16_t* text, int count) {
    if (!text) return {};
    if (count < 0) {
        count = 0;
        while (text[count]) ++count;
    }
    glong written = 0;
    gchar* s = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(text), count, nullptr, &written, nullptr);
    if (!s) {
        // Unpaired surrogates: keep what can be converted, one unit at a time.
        std::string out;
        for (int i = 0; i < count; ++i) {
            gchar* one = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(text + i), 1, nullptr, nullptr, nullptr);
            if (one) out += one;
            else out += "\xEF\xBF\xBD";
            g_free(one);
        }
        return out;
    }
    std::string out(s, static_cast<size_t>(written));
    g_free(s);
    return out;
}

std::string Utf8FromNarrow(const char* text, int count) {
    if (!text) return {};
    const size_t n = count < 0 ? std::strlen(text) : static_cast<size_t>(count);
    std::string s(text, n);
    // Invalid bytes would make Pango drop the whole text: replace them.
    if (!g_utf8_validate(s.data(), static_cast<gssize>(s.size()), nullptr)) {
        gchar* fixed = g_utf8_make_valid(s.data(), static_cast<gssize>(s.size()));
        s = fixed;
        g_free(fixed);
    }
    return s;
}

BOOL Extent(HDC hdc, const std::string& utf8, SIZE* size) {
    if (!size || !Get<DcObj>(hdc)) return FALSE;
    Laid laid;
    Prepare(hdc, utf8, DT_NOPREFIX | DT_SINGLELINE, &laid);
    *size = SIZE{utf8.empty() ? 0 : laid.width, laid.lineHeight};
    return TRUE;
}

}  // namespace

int DrawTextW(HDC hdc, const char16_t* text, int count, RECT* rect, UINT format) {
    return DrawTextUtf8(hdc, Utf8FromUtf16(text, count), rect, format);
}

int DrawTextExA(HDC hdc, char* text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
    if (params && params->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
    RECT r = rect ? *rect : RECT{};
    if (params && rect) {
        r.left += params->iLeftMargin;
        r.right -= params->iRightMargin;
    }
    const std::string s = Utf8FromNarrow(text, count);
    const int h = DrawTextUtf8(hdc, s, rect ? &r : nullptr, format);
    if (rect) {
        if (params) {
            r.left -= params->iLeftMargin;
            r.right += params->iRightMargin;
            params->uiLengthDrawn = static_cast<UINT>(s.size());
        }
        *rect = r;
    }
    return h;
}

BOOL GetTextExtentPoint32W(HDC hdc, const char16_t* text, int count, SIZE* size) {
    if (count < 0) return FALSE;
    return Extent(hdc, Utf8FromUtf16(text, count), size);
}

BOOL GetTextExtentPointW(HDC hdc, const char16_t* text, int count, SIZE* size) {
    return GetTextExtentPoint32W(hdc, text, count, size);
}

BOOL GetTextExtentPointA(HDC hdc, const char* text, int count, SIZE* size) {
    if (count < 0) return FALSE;
    return Extent(hdc, Utf8FromNarrow(text, count), size);
}

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* tm) {
    if (!tm || !Get<DcObj>(hdc)) return FALSE;
    HFONT hf = FontOf(hdc);
    const FontCache& fc = CacheOf(hf);
    const LOGFONTA& lf = Get<FontObj>(hf)->lf;
    *tm = TEXTMETRICA{};
    tm->tmHeight = fc.ascent + fc.descent;
    tm->tmAscent = fc.ascent;
    tm->tmDescent = fc.descent;
    tm->tmInternalLeading = std::max(0, tm->tmHeight - fc.em);
    tm->tmWeight = lf.lfWeight <= 0 ? FW_NORMAL : lf.lfWeight;
    tm->tmItalic = lf.lfItalic ? 1 : 0;
    tm->tmUnderlined = lf.lfUnderline ? 1 : 0;
    tm->tmStruckOut = lf.lfStrikeOut ? 1 : 0;
    tm->tmCharSet = lf.lfCharSet;
    tm->tmDigitizedAspectX = kDpi;
    tm->tmDigitizedAspectY = kDpi;
    if (fc.marlett) {
        tm->tmAveCharWidth = tm->tmMaxCharWidth = fc.em;
    } else {
        PangoFontMetrics* m = pango_context_get_metrics(Context(), fc.desc, nullptr);
        tm->tmAveCharWidth = PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(m));
        tm->tmMaxCharWidth = PANGO_PIXELS(pango_font_metrics_get_approximate_digit_width(m)) * 2;
        pango_font_metrics_unref(m);
    }
    return TRUE;
}

int GetTextFaceA(HDC hdc, int count, char* name) {
    if (!Get<DcObj>(hdc) || !name || count <= 0) return 0;
    const char* face = Get<FontObj>(FontOf(hdc))->lf.lfFaceName;
    // Cut at a character boundary so the copy stays valid UTF-8.
    size_t n = std::min(std::strlen(face), static_cast<size_t>(count - 1));
    while (n > 0 && (static_cast<unsigned char>(face[n]) & 0xC0) == 0x80) --n;
    std::memcpy(name, face, n);
    name[n] = 0;
    return static_cast<int>(n);
}

}  // namespace gdi32
