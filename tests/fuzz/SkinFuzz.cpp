// Skin files and colour texts: any file given as "Skin.ini" reads without
// harm; a colour comes from its text when that names one, else from the
// default; reading twice gives the same values (the defaults the first read
// writes in change nothing already there); and colour text and colour value
// convert into each other without loss.
#include "FuzzSupport.h"

#include "config/Ini.h"
#include "ui/ColorText.h"
#include "ui/Skin.h"

using fuzz::visible;

namespace {

struct SkinValues {
    QString title;
    QString url;
    ColorValue back = 0;
    ColorValue font = 0;
    QString tip;
    bool operator==(const SkinValues&) const = default;
};

SkinValues readSkin(const QString& file)
{
    SkinValues v;
    v.title = Skin::TitleString(file);
    v.url = Skin::DownloadURL(file);
    v.back = Skin::BackColor(file);
    v.font = Skin::FontColor(file);
    Skin::getEmuDownloadPath(file, v.tip);
    return v;
}

// The six digits a colour text stands for, as ColorToHex writes them.
QString canonical(const QString& text)
{
    QString t = text;
    t.remove(u'#');
    return u'#' + t.trimmed().left(6).toUpper();
}

void checkColorText(const QString& text)
{
    const ColorValue c = HexToColor(text);
    FUZZ_CHECK(c >= 0 && c <= 0xFFFFFF, "colour text gives an RGB value", {visible(text), QString::number(c)});
    const QString hex = ColorToHex(c);
    FUZZ_CHECK(HexToColor(hex) == c && IsColorText(hex), "a colour's text gives the colour back",
          {visible(text), hex});
    if (IsColorText(text))
        FUZZ_CHECK(hex == canonical(text), "colour text keeps its six digits", {visible(text), hex});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString file = fuzz::writeScratch("Skin.ini", data, size);
    // As settings are read: at most 149 characters, trimmed.
    const QString backText =
        GetPrivateProfileString(QString::fromLatin1(Skin::kSection), QStringLiteral("BackColor"), file, 149).trimmed();
    const SkinValues first = readSkin(file);
    const ColorValue expectedBack =
        HexToColor(IsColorText(backText) && !backText.isEmpty() ? backText : QString::fromLatin1(Skin::kDefaultBackColor));
    FUZZ_CHECK(first.back == expectedBack, "the back colour is the file's colour text, else the default",
          {visible(backText), QString::number(first.back, 16)});
    const SkinValues second = readSkin(file);
    FUZZ_CHECK(first == second, "reading a skin file twice gives the same values",
          {visible(first.title), visible(second.title), visible(first.url), visible(second.url)});

    checkColorText(backText);
    checkColorText(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(qMin<size_t>(size, 16))));
    return 0;
}
