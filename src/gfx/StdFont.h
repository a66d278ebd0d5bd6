// A font description: what CMemoryDC makes platform fonts from. The tab strip
// shares one instance (std::shared_ptr) between its property and its painters.
#pragma once

#include <cstdint>
#include <string>

class StdFont {
public:
    // UTF-8 face name.
    const std::string& Name() const { return m_name; }
    void Name(std::string value) { m_name = std::move(value); }

    // Points, kept in fixed point with four decimals as the system stores it.
    double Size() const { return static_cast<double>(m_size10k) / 10000.0; }
    void Size(double points);
    int64_t SizeTenThousandths() const { return m_size10k; }
    void SizeTenThousandths(int64_t value) { m_size10k = value; }

    // Bold and Weight are one setting: Bold true is Weight 700, false 400.
    bool Bold() const { return m_weight > 550; }
    void Bold(bool value) { m_weight = value ? 700 : 400; }
    int16_t Weight() const { return m_weight; }
    void Weight(int16_t value) { m_weight = value; }

    bool Italic() const { return m_italic; }
    void Italic(bool value) { m_italic = value; }
    bool Underline() const { return m_underline; }
    void Underline(bool value) { m_underline = value; }
    bool Strikethrough() const { return m_strikethrough; }
    void Strikethrough(bool value) { m_strikethrough = value; }
    int16_t Charset() const { return m_charset; }
    void Charset(int16_t value) { m_charset = value; }

private:
    std::string m_name = "Tahoma";
    int64_t m_size10k = 82500;  // 8.25 points
    int16_t m_weight = 400;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethrough = false;
    int16_t m_charset = 0;
};
