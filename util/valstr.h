#pragma once
// Numbers, digit-flag texts, natural comparison, colours and the size lists.
// TextToInt, TextToReal, IntText, PadNumber, RealText and TrimmedRealText come
// from the date library.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "dates/dater.h"
#include "util/exposit.h"

// Raised by DistributeSize beyond 200 size rules: "Range check error".
class RangeError : public std::runtime_error {
 public:
  RangeError();
};

// ---- numbers ---------------------------------------------------------------
std::string ShortRealText(long double x);  // TrimmedRealText with 11 decimals
std::string Int64Text(int64_t n);
// Strict decimal reading, unlike the lenient TextToInt: an optional "-", then
// digits only, within 32 bits. Anything else gives false and leaves value.
bool ReadStrictInt(std::string_view text, int32_t& value);

// ---- digit-flag texts ------------------------------------------------------
// Character code minus 48; -1 outside 1..length or below code 48.
int32_t DigitAt(std::string_view text, int32_t pos);
// One-character text of code n + 48 (n is taken modulo 256).
std::string DigitChar(int32_t n);
int32_t CharDigit(char c);
// Next readable flag from pos (advanced); false at the end with pos back at 1.
bool NextDigit(std::string_view text, int32_t& pos, int32_t& value);
// Bit 0 of mask belongs to the last character; kept = set bits, removed = the
// others from right to left.
void SplitByMask(std::string_view text, std::string& kept, std::string& removed, uint16_t mask);

// ---- small choices ---------------------------------------------------------
// 2^n; n <= 0 gives 1, n >= 63 saturates at INT64_MAX.
int64_t PowerOfTwo(int32_t n);
bool InRange(int64_t value, int64_t low, int64_t high);
bool ComesBefore(bool ascending, long double a, long double b);
int32_t MaxInt2(int32_t a, int32_t b);
int32_t MinInt2(int32_t a, int32_t b);
long double MaxReal2(long double a, long double b);
long double MinReal2(long double a, long double b);
std::string IfThenStr(bool flag, std::string_view a, std::string_view b);
// 0 equal, 1 a before b, 2 a after b; digit runs compare by value.
int32_t NaturalCompare(std::string_view a, std::string_view b);

// ---- colours (0x00BBGGRR) --------------------------------------------------
// Symbolic system colours carry the high bit: 0x80000000 | index.
constexpr uint32_t kSysColorFlag = 0x80000000u;
constexpr uint32_t clScrollBar = 0x80000000u;
constexpr uint32_t clBackground = 0x80000001u;
constexpr uint32_t clActiveCaption = 0x80000002u;
constexpr uint32_t clInactiveCaption = 0x80000003u;
constexpr uint32_t clMenu = 0x80000004u;
constexpr uint32_t clWindow = 0x80000005u;
constexpr uint32_t clWindowFrame = 0x80000006u;
constexpr uint32_t clMenuText = 0x80000007u;
constexpr uint32_t clWindowText = 0x80000008u;
constexpr uint32_t clCaptionText = 0x80000009u;
constexpr uint32_t clActiveBorder = 0x8000000Au;
constexpr uint32_t clInactiveBorder = 0x8000000Bu;
constexpr uint32_t clAppWorkSpace = 0x8000000Cu;
constexpr uint32_t clHighlight = 0x8000000Du;
constexpr uint32_t clHighlightText = 0x8000000Eu;
constexpr uint32_t clBtnFace = 0x8000000Fu;
constexpr uint32_t clBtnShadow = 0x80000010u;
constexpr uint32_t clGrayText = 0x80000011u;
constexpr uint32_t clBtnText = 0x80000012u;
constexpr uint32_t clInactiveCaptionText = 0x80000013u;
constexpr uint32_t clBtnHighlight = 0x80000014u;
constexpr uint32_t cl3DDkShadow = 0x80000015u;
constexpr uint32_t cl3DLight = 0x80000016u;
constexpr uint32_t clInfoText = 0x80000017u;
constexpr uint32_t clInfoBk = 0x80000018u;

// The window's entry installs a resolver that reads the desktop palette, once
// at start-up: the program's one process-wide setting. Without one, system
// colours get the classic light-theme defaults (button face 0xF0F0F0, window
// white, texts black, ...); plain colours always pass through.
using SystemColorResolverT = std::function<uint32_t(uint32_t)>;
void SetSystemColorResolver(SystemColorResolverT resolver);  // empty = defaults
uint32_t ResolveColor(uint32_t color);  // 0x00BBGGRR

// HSL on the scale 240: hue 0..239, saturation and lightness 0..240.
void ColorToHSL(uint32_t color, int32_t& hue, int32_t& saturation, int32_t& lightness);
uint32_t HSLToColor(int32_t hue, int32_t saturation, int32_t lightness);
int32_t ColorLightness(uint32_t color);
uint32_t ContrastTextColor(uint32_t background);  // 0 or 0xFFFFFF
uint32_t LighterColor(uint32_t color);
uint32_t DarkerColor(uint32_t color);

// ---- lists -----------------------------------------------------------------
// Runs of the separator made single, one separator removed at each end.
std::string CleanList(std::string_view s, char separator);
// ",first,,first+1,...,last,"; empty if last < first.
std::string IndexList(int32_t first, int32_t last);
// Shares total among the size rules ("weight|min|max" joined by ","); the
// lengths joined by ",". Throws RangeError beyond 200 rules and ConvertError
// for an unreadable minimum or maximum.
std::string DistributeSize(int32_t total, std::string_view rules);
std::string DistributeEvenly(int32_t total, int32_t n);
// Items come back in input order, as the data table's sort leaves them.
std::string SortListItems(std::string_view s, std::string_view separator);
std::string SortChars(std::string_view s);
