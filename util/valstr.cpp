#include "util/valstr.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <mutex>
#include <vector>

#include "util/repl.h"

RangeError::RangeError() : std::runtime_error("Range check error") {}

// ---- numbers ---------------------------------------------------------------

std::string ShortRealText(long double x) { return TrimmedRealText(11, x); }

std::string Int64Text(int64_t n) { return std::to_string(n); }

// ---- digit-flag texts ------------------------------------------------------

int32_t DigitAt(std::string_view text, int32_t pos) {
  if (pos < 1 || static_cast<size_t>(pos) > text.size()) return -1;
  const int32_t code = static_cast<unsigned char>(text[static_cast<size_t>(pos) - 1]);
  return code < 48 ? -1 : code - 48;
}

bool ReadStrictInt(std::string_view text, int32_t& value) {
  int32_t n = 0;
  const char* end = text.data() + text.size();
  const auto [p, ec] = std::from_chars(text.data(), end, n);
  if (text.empty() || ec != std::errc() || p != end) return false;
  value = n;
  return true;
}

std::string DigitChar(int32_t n) {
  return std::string(1, static_cast<char>(static_cast<unsigned char>((static_cast<uint32_t>(n) + 48u) & 0xFFu)));
}

int32_t CharDigit(char c) { return DigitAt(std::string_view(&c, 1), 1); }

bool NextDigit(std::string_view text, int32_t& pos, int32_t& value) {
  if (pos < 1) pos = 1;
  while (static_cast<size_t>(pos) <= text.size()) {
    value = DigitAt(text, pos);
    ++pos;
    if (value != -1) return true;
  }
  pos = 1;
  return false;
}

void SplitByMask(std::string_view text, std::string& kept, std::string& removed, uint16_t mask) {
  kept = std::string(text);
  removed.clear();
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const bool set = i < 16 && ((mask >> i) & 1u) != 0;
    if (!set) {
      // Right to left, so deleting never shifts the positions still to come.
      const size_t at = n - 1 - i;
      removed += kept[at];
      kept.erase(at, 1);
    }
  }
}

// ---- small choices ---------------------------------------------------------

int64_t PowerOfTwo(int32_t n) {
  if (n <= 0) return 1;
  if (n >= 63) return std::numeric_limits<int64_t>::max();
  return int64_t{1} << n;
}

bool InRange(int64_t value, int64_t low, int64_t high) { return low <= value && value <= high; }

bool ComesBefore(bool ascending, long double a, long double b) { return ascending ? a < b : a > b; }

int32_t MaxInt2(int32_t a, int32_t b) { return a > b ? a : b; }
int32_t MinInt2(int32_t a, int32_t b) { return a < b ? a : b; }
long double MaxReal2(long double a, long double b) { return a > b ? a : b; }
long double MinReal2(long double a, long double b) { return a < b ? a : b; }

std::string IfThenStr(bool flag, std::string_view a, std::string_view b) {
  return std::string(flag ? a : b);
}

int32_t NaturalCompare(std::string_view a, std::string_view b) {
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (isDigit(a[i]) && isDigit(b[j])) {
      auto run = [&](std::string_view s, size_t& k) {
        const size_t start = k;
        while (k < s.size() && isDigit(s[k])) ++k;
        std::string_view r = s.substr(start, k - start);
        const size_t nz = r.find_first_not_of('0');
        return nz == std::string_view::npos ? std::string_view("0") : r.substr(nz);
      };
      const std::string_view ra = run(a, i);
      const std::string_view rb = run(b, j);
      if (ra.size() != rb.size()) return ra.size() > rb.size() ? 2 : 1;
      const int c = ra.compare(rb);
      if (c != 0) return c > 0 ? 2 : 1;
    } else if (a[i] == b[j]) {
      ++i;
      ++j;
    } else {
      return static_cast<unsigned char>(a[i]) > static_cast<unsigned char>(b[j]) ? 2 : 1;
    }
  }
  if (i >= a.size() && j >= b.size()) return 0;
  return j >= b.size() ? 2 : 1;
}

// ---- colours ---------------------------------------------------------------

namespace {

std::mutex resolverMutex;
SystemColorResolverT systemResolver;

// Classic light-theme values of the desktop's system colours (0x00BBGGRR),
// used until the window layer installs a resolver.
constexpr uint32_t kDefaultSystemColors[] = {
    0xC8C8C8,  // scroll bar
    0x000000,  // desktop background
    0xD1B499,  // active caption
    0xDBCDBF,  // inactive caption
    0xF0F0F0,  // menu
    0xFFFFFF,  // window
    0x646464,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0x000000,  // caption text
    0xB4B4B4,  // active border
    0xFCF7F4,  // inactive border
    0xABABAB,  // application workspace
    0xD77800,  // highlight
    0xFFFFFF,  // highlight text
    0xF0F0F0,  // button face
    0xA0A0A0,  // button shadow
    0x6D6D6D,  // grey text
    0x000000,  // button text
    0x000000,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x696969,  // 3D dark shadow
    0xE3E3E3,  // 3D light
    0x000000,  // info text
    0xE1FFFF,  // info background
    0x000000,  // (unused)
    0xCC6600,  // hot light
    0xEAD1B9,  // gradient active caption
    0xF2E4D7,  // gradient inactive caption
    0xFF9933,  // menu highlight
    0xF0F0F0,  // menu bar
};

int32_t RoundEven(double x) { return static_cast<int32_t>(std::nearbyint(x)); }

// Channel value 0..255 of 255 * f, rounded half to even; out-of-range HSL
// input is clamped here rather than wrapped into a neighbouring channel.
uint32_t Channel(double f) {
  double v = std::nearbyint(255.0 * f);
  if (!(v >= 0.0)) v = 0.0;
  if (v > 255.0) v = 255.0;
  return static_cast<uint32_t>(v);
}

}  // namespace

void SetSystemColorResolver(SystemColorResolverT resolver) {
  std::lock_guard<std::mutex> lock(resolverMutex);
  systemResolver = std::move(resolver);
}

uint32_t ResolveColor(uint32_t color) {
  if ((color & kSysColorFlag) == 0) return color & 0x00FFFFFFu;
  SystemColorResolverT resolver;
  {
    std::lock_guard<std::mutex> lock(resolverMutex);
    resolver = systemResolver;
  }
  if (resolver) return resolver(color) & 0x00FFFFFFu;
  const uint32_t index = color & 0x00FFFFFFu;
  constexpr size_t kCount = sizeof(kDefaultSystemColors) / sizeof(kDefaultSystemColors[0]);
  return index < kCount ? kDefaultSystemColors[index] : 0u;
}

void ColorToHSL(uint32_t color, int32_t& hue, int32_t& saturation, int32_t& lightness) {
  const uint32_t c = ResolveColor(color);
  const double r = (c & 0xFF) / 255.0;
  const double g = ((c >> 8) & 0xFF) / 255.0;
  const double b = ((c >> 16) & 0xFF) / 255.0;
  const double mx = std::max({r, g, b});
  const double mn = std::min({r, g, b});
  const double l = (mx + mn) / 2;
  double h = 0, s = 0;
  if (mx != mn) {
    const double d = mx - mn;
    s = l >= 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
    double hh;
    if (mx == r) {
      hh = (g - b) / d;
    } else if (mx == g) {
      hh = 2 + (b - r) / d;
    } else {
      hh = 4 + (r - g) / d;
    }
    h = hh / 6;
    if (h < 0) h += 1;
  }
  hue = RoundEven(239 * h);
  saturation = RoundEven(240 * s);
  lightness = RoundEven(240 * l);
}

uint32_t HSLToColor(int32_t hue, int32_t saturation, int32_t lightness) {
  const double h = hue / 239.0;
  const double s = saturation / 240.0;
  const double l = lightness / 240.0;
  if (s == 0) {
    const uint32_t v = Channel(l);
    return v | (v << 8) | (v << 16);
  }
  const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
  const double m1 = 2 * l - m2;
  auto f = [&](double x) {
    if (x < 0) {
      x += 1;
    } else if (x > 1) {
      x -= 1;
    }
    if (6 * x < 1) return m1 + (m2 - m1) * 6 * x;
    if (2 * x < 1) return m2;
    if (3 * x < 2) return m1 + (m2 - m1) * (2.0 / 3.0 - x) * 6;
    return m1;
  };
  const uint32_t red = Channel(f(h + 1.0 / 3.0));
  const uint32_t green = Channel(f(h));
  const uint32_t blue = Channel(f(h - 1.0 / 3.0));
  return red + 256 * green + 65536 * blue;
}

int32_t ColorLightness(uint32_t color) {
  int32_t h, s, l;
  ColorToHSL(color, h, s, l);
  return l;
}

uint32_t ContrastTextColor(uint32_t background) {
  int32_t h, s, l;
  ColorToHSL(background, h, s, l);
  const int32_t threshold = (h == 0 && s < 10) ? 140 : 120;
  return l > threshold ? 0u : 0xFFFFFFu;
}

namespace {
uint32_t ShiftLightness(uint32_t color, int32_t delta) {
  int32_t h, s, l;
  ColorToHSL(color, h, s, l);
  return HSLToColor(h, s, std::clamp(l + delta, 0, 240));
}
}  // namespace

uint32_t LighterColor(uint32_t color) { return ShiftLightness(color, 15); }

uint32_t DarkerColor(uint32_t color) { return ShiftLightness(color, -15); }

// ---- lists -----------------------------------------------------------------

std::string CleanList(std::string_view s, char separator) {
  const std::string one(1, separator);
  std::string out = ReplaceAll(one + one, one, s);
  if (!out.empty() && out.front() == separator) out.erase(0, 1);
  if (!out.empty() && out.back() == separator) out.pop_back();
  return out;
}

std::string IndexList(int32_t first, int32_t last) {
  std::string out;
  for (int64_t k = first; k <= last; ++k) {
    out += ',';
    out += std::to_string(k);
    out += ',';
  }
  return out;
}

namespace {

constexpr int32_t kMaxRules = 200;

struct RuleT {
  double weight = 0;  // later the item's percentage of the total weight
  int64_t minimum = -1;
  int64_t maximum = -1;
  int64_t length = 0;
};

// Removing units one per free item per pass costs as many passes as the
// deficit has units; whole passes are applied at once instead, which gives the
// same lengths. Givers are the items whose length is above their minimum.
void ShrinkToDeficit(std::vector<RuleT>& items, int64_t deficit) {
  while (deficit > 0) {
    int64_t givers = 0;
    int64_t slack = std::numeric_limits<int64_t>::max();
    for (const RuleT& r : items) {
      if (r.length > r.minimum) {
        ++givers;
        slack = std::min(slack, r.length - r.minimum);
      }
    }
    if (givers == 0) return;
    if (deficit >= givers) {
      const int64_t passes = std::min(deficit / givers, slack);
      for (RuleT& r : items) {
        if (r.length > r.minimum) r.length -= passes;
      }
      deficit -= passes * givers;
    } else {
      for (RuleT& r : items) {
        if (deficit == 0) break;
        if (r.length > r.minimum) {
          --r.length;
          --deficit;
        }
      }
    }
  }
}

// Takers are the items without a maximum or below it.
void GrowByExcess(std::vector<RuleT>& items, int64_t excess) {
  auto takes = [](const RuleT& r) { return r.maximum == -1 || r.length < r.maximum; };
  while (excess > 0) {
    int64_t takers = 0;
    int64_t room = std::numeric_limits<int64_t>::max();
    for (const RuleT& r : items) {
      if (takes(r)) {
        ++takers;
        if (r.maximum != -1) room = std::min(room, r.maximum - r.length);
      }
    }
    if (takers == 0) return;
    if (excess >= takers) {
      const int64_t passes = std::min(excess / takers, room);
      for (RuleT& r : items) {
        if (takes(r)) r.length += passes;
      }
      excess -= passes * takers;
    } else {
      for (RuleT& r : items) {
        if (excess == 0) break;
        if (takes(r)) {
          ++r.length;
          --excess;
        }
      }
    }
  }
}

}  // namespace

std::string DistributeSize(int32_t total, std::string_view rules) {
  const size_t n = static_cast<size_t>(std::count(rules.begin(), rules.end(), ',')) + 1;
  std::vector<RuleT> items;
  items.reserve(std::min<size_t>(n, kMaxRules));
  std::string rest(rules);
  long double sum = 0;
  bool needMin = false, needMax = false;
  for (size_t i = 1; i <= n; ++i) {
    if (i > static_cast<size_t>(kMaxRules)) throw RangeError();
    std::string item = CutToken(rest, ",");
    const std::string weightText = CutToken(item, "|");
    RuleT r;
    r.minimum = CutIntToken(item, "|");
    r.maximum = CutIntToken(item, "|");
    long double w = TextToReal(weightText);
    if (!(w > 0)) w = 0.1L;
    // Absurdly long digit runs must not turn the shares into inf/NaN.
    if (w > 1e300L) w = 1e300L;
    r.weight = static_cast<double>(w);
    sum += r.weight;
    if (r.minimum != -1 && r.maximum != -1 && r.minimum > r.maximum) r.maximum = r.minimum;
    if (r.minimum >= 0) needMin = true;
    if (r.maximum != -1) needMax = true;
    items.push_back(r);
  }
  if (sum == 0) sum = 1;
  int64_t assigned = 0;
  for (RuleT& r : items) {
    r.weight = static_cast<double>(r.weight / sum * 100);
    r.length = static_cast<int64_t>(std::trunc(static_cast<long double>(total) * r.weight / 100));
    assigned += r.length;
  }
  int64_t rest_units = static_cast<int64_t>(total) - assigned;
  for (size_t i = 0; rest_units > 0; i = (i + 1) % items.size()) {
    ++items[i].length;
    --rest_units;
  }

  if (needMin) {
    int64_t deficit = 0;
    for (RuleT& r : items) {
      if (r.minimum >= 0 && r.length <= r.minimum) {
        deficit += r.minimum - r.length;
        r.length = r.minimum;
      }
    }
    ShrinkToDeficit(items, deficit);
  }
  if (needMax) {
    int64_t excess = 0;
    for (RuleT& r : items) {
      if (r.maximum >= 0 && r.length >= r.maximum) {
        excess += r.length - r.maximum;
        r.length = r.maximum;
      }
    }
    GrowByExcess(items, excess);
  }

  std::string out;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ',';
    out += std::to_string(items[i].length);
  }
  return out;
}

std::string DistributeEvenly(int32_t total, int32_t n) {
  // One rule beyond the limit is enough to raise the range error.
  const int32_t count = std::clamp(n, 1, kMaxRules + 1);
  std::string rules = "100";
  for (int32_t i = 1; i < count; ++i) rules += ",100";
  return DistributeSize(total, rules);
}

std::string SortListItems(std::string_view s, std::string_view separator) {
  std::string rest(s);
  std::string out;
  while (!rest.empty()) {
    out += CutToken(rest, separator);
    out += separator;
  }
  if (!s.ends_with(separator) && out.size() >= separator.size()) {
    out.erase(out.size() - separator.size());
  }
  return out;
}

std::string SortChars(std::string_view s) { return std::string(s); }
