#include "tools/soundgen/tune.h"

#include <charconv>
#include <map>
#include <sstream>

#include "tools/soundgen/styles.h"

namespace kelvorn::soundgen {

namespace {

struct Token {
  std::string text;
  int line = 0;
};

struct PartSource {
  Part part;
  std::string style;  // empty: written note by note
  int octave = 4, velocity = 90;
  int line = 0;
  std::vector<Token> body;
};

// General MIDI percussion keys by the names the drum parts use.
const std::map<std::string, int, std::less<>>& drumKeys() {
  static const std::map<std::string, int, std::less<>> keys{
      {"kick", 36}, {"rim", 37},  {"snare", 38},  {"clap", 39},   {"tom3", 43},     {"hat", 42},
      {"phat", 44}, {"ohat", 46}, {"tom2", 47},   {"tom1", 50},   {"crash", 49},    {"ride", 51},
      {"bell", 53}, {"tamb", 54}, {"splash", 55}, {"shaker", 70}, {"triangle", 81}, {"chime", 84}};
  return keys;
}

bool toInt(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

class Parser {
 public:
  Parser(const std::string& source) : source_(source) {}

  [[noreturn]] void fail(int line, const std::string& what) const {
    throw SourceError(source_, line, what);
  }

  int number(const Token& t, int low, int high) const {
    int value = 0;
    if (!toInt(t.text, value) || value < low || value > high)
      fail(t.line, "expected a number from " + std::to_string(low) + " to " + std::to_string(high) +
                       ", found '" + t.text + "'");
    return value;
  }

  // "4" a quarter, "8." a dotted eighth, "12" an eighth-note triplet, "2+8" tied values.
  int duration(std::string_view text, int line) const {
    int total = 0;
    while (!text.empty()) {
      const size_t plus = text.find('+');
      std::string_view term = text.substr(0, plus);
      text = plus == std::string_view::npos ? std::string_view{} : text.substr(plus + 1);
      const bool dotted = !term.empty() && term.back() == '.';
      if (dotted) term.remove_suffix(1);
      int n = 0;
      if (!toInt(term, n) || n <= 0 || kTicksPerWhole % n != 0)
        fail(line, "bad duration '" + std::string(term) + "'");
      total += kTicksPerWhole / n + (dotted ? kTicksPerWhole / n / 2 : 0);
    }
    if (total == 0) fail(line, "empty duration");
    return total;
  }

  // Expands "( ... )xN" repeats, which may nest, and "@name" uses of a chart.
  std::vector<Token> expand(const std::vector<Token>& in, size_t& i, bool nested) const {
    std::vector<Token> out;
    while (i < in.size()) {
      const Token& t = in[i++];
      if (t.text[0] == '@') {
        const auto chart = charts.find(t.text.substr(1));
        if (chart == charts.end()) fail(t.line, "no chart named '" + t.text.substr(1) + "'");
        size_t j = 0;
        const std::vector<Token> inner = expand(chart->second, j, false);
        out.insert(out.end(), inner.begin(), inner.end());
      } else if (t.text == "(") {
        const int line = t.line;
        std::vector<Token> inner = expand(in, i, true);
        const Token& close = in[i - 1];
        int times = 1;
        if (close.text.size() > 2 && close.text[1] == 'x')
          times = number({close.text.substr(2), line}, 1, 64);
        else if (close.text != ")")
          fail(close.line, "expected ')' or ')xN'");
        for (int k = 0; k < times; ++k) out.insert(out.end(), inner.begin(), inner.end());
      } else if (t.text[0] == ')') {
        if (!nested) fail(t.line, "')' without '('");
        return out;
      } else {
        out.push_back(t);
      }
    }
    if (nested) fail(in.back().line, "'(' without ')'");
    return out;
  }

  int pitch(std::string_view text, int& octave, int line) const {
    const int pc = pitchClass(text);
    size_t used = text.size() > 1 && (text[1] == '#' || text[1] == 'b') ? 2 : 1;
    if (pc < 0) fail(line, "not a note: '" + std::string(text) + "'");
    if (used < text.size() && !toInt(text.substr(used), octave))
      fail(line, "bad octave in '" + std::string(text) + "'");
    // "B#" and "Cb" belong to the octave of their letter, as musicians write them.
    int key = 12 * (octave + 1) + pc;
    if (text[0] == 'B' && pc == 0) key += 12;
    if (text[0] == 'C' && pc == 11) key -= 12;
    if (key < 0 || key > 127) fail(line, "note out of range: '" + std::string(text) + "'");
    return key;
  }

  // A bar line closes a full bar; one that follows another (as at the start of a line)
  // closes nothing.
  void checkBar(int pos, int& lastBar, int bar, int line) const {
    if (pos != lastBar && pos - lastBar != bar)
      fail(line, "bar holds " + std::to_string(pos - lastBar) + " ticks, the meter wants " +
                     std::to_string(bar));
    lastBar = pos;
  }

  void notes(PartSource& p, const std::vector<Token>& body, int bar) const {
    int pos = 0, lastBar = 0, octave = 4, length = kTicksPerQuarter, velocity = p.velocity;
    for (const Token& t : body) {
      if (t.text == "|") {
        checkBar(pos, lastBar, bar, t.line);
        continue;
      }
      if (t.text[0] == 'v' && t.text.size() > 1) {
        velocity = number({t.text.substr(1), t.line}, 1, 127);
        continue;
      }
      const size_t colon = t.text.find(':');
      if (colon != std::string::npos) length = duration(t.text.substr(colon + 1), t.line);
      std::string_view head = std::string_view(t.text).substr(0, colon);
      if (head != "r") {
        while (!head.empty()) {
          const size_t plus = head.find('+');
          const std::string_view name = head.substr(0, plus);
          head = plus == std::string_view::npos ? std::string_view{} : head.substr(plus + 1);
          int key = 0;
          if (p.part.drums) {
            const auto it = drumKeys().find(name);
            if (it == drumKeys().end()) fail(t.line, "unknown drum '" + std::string(name) + "'");
            key = it->second;
          } else {
            key = pitch(name, octave, t.line);
          }
          p.part.notes.push_back({pos, length, key, velocity});
        }
      }
      pos += length;
    }
    if (pos != lastBar) fail(p.line, "part '" + p.part.name + "' does not end on a bar line");
    p.part.length = pos;
  }

  void chart(PartSource& p, const std::vector<Token>& body, const Tune& tune) const {
    StyleContext context{p.octave, p.velocity, kTicksPerWhole / tune.unit, tune.barTicks()};
    std::optional<Chord> chord;
    int spanStart = 0, pos = 0;
    std::vector<const Token*> slots;
    auto flush = [&](int end) {
      if (chord) renderStyle(p.style, *chord, spanStart, end - spanStart, context, p.part.notes);
      spanStart = end;
    };
    for (const Token& t : body) {
      if (t.text != "|") {
        slots.push_back(&t);
        continue;
      }
      if (slots.empty()) continue;
      if (context.bar % int(slots.size()) != 0)
        fail(t.line, "a bar of a chord chart needs 1, 2, 3, 4 or 6 chords or '-'");
      const int slot = context.bar / int(slots.size());
      for (const Token* s : slots) {
        if (s->text != "-") {
          flush(pos);
          if (s->text == "r")
            chord.reset();
          else if (!(chord = parseChord(s->text)))
            fail(s->line, "not a chord: '" + s->text + "'");
        }
        pos += slot;
      }
      slots.clear();
    }
    if (!slots.empty()) fail(slots.front()->line, "chord chart does not end on a bar line");
    flush(pos);
    p.part.length = pos;
  }

  std::map<std::string, std::vector<Token>> charts;

  PartSource partHeader(std::istringstream& words, int line, int channel) const {
    PartSource p;
    p.line = line;
    if (!(words >> p.part.name)) fail(line, "part without a name");
    std::string key;
    while (words >> key) {
      if (key == "drums") {
        p.part.drums = true;
        continue;
      }
      std::string value;
      if (!(words >> value)) fail(line, "'" + key + "' without a value");
      const Token v{value, line};
      if (key == "program")
        p.part.program = number(v, 0, 127);
      else if (key == "velocity")
        p.velocity = number(v, 1, 127);
      else if (key == "volume")
        p.part.volume = number(v, 0, 127);
      else if (key == "pan")
        p.part.pan = number(v, 0, 127);
      else if (key == "reverb")
        p.part.reverb = number(v, 0, 127);
      else if (key == "octave")
        p.octave = number(v, 0, 8);
      else if (key == "style") {
        if (!knownStyle(value)) fail(line, "unknown style '" + value + "'");
        p.style = value;
      } else
        fail(line, "unknown part setting '" + key + "'");
    }
    p.part.channel = p.part.drums ? kDrumChannel : channel;
    return p;
  }

 private:
  std::string source_;
};

}  // namespace

Tune parseTune(std::string_view text, const std::string& source) {
  Parser parser(source);
  Tune tune;
  std::vector<PartSource> parts;
  int channel = 0, lineNumber = 0;
  std::vector<Token>* body = nullptr;  // where lines of notes or chords go
  std::istringstream lines{std::string(text)};
  for (std::string line; std::getline(lines, line);) {
    ++lineNumber;
    if (const size_t hash = line.find('#'); hash != std::string::npos) {
      // '#' starts a comment unless it sharpens a note ("F#4") or a chord ("C#m").
      size_t h = hash;
      while (h != std::string::npos && h > 0 && line[h - 1] >= 'A' && line[h - 1] <= 'G')
        h = line.find('#', h + 1);
      if (h != std::string::npos) line.resize(h);
    }
    std::istringstream words(line);
    std::string key;
    if (!(words >> key)) continue;
    if (key == "file") {
      words >> tune.file;
    } else if (key == "title") {
      std::getline(words >> std::ws, tune.title);
    } else if (key == "tempo") {
      std::string v;
      words >> v;
      tune.tempo = parser.number({v, lineNumber}, 20, 300);
    } else if (key == "meter") {
      std::string v;
      words >> v;
      const size_t slash = v.find('/');
      if (slash == std::string::npos) parser.fail(lineNumber, "meter is written like 3/4");
      tune.beats = parser.number({v.substr(0, slash), lineNumber}, 1, 12);
      tune.unit = parser.number({v.substr(slash + 1), lineNumber}, 1, 16);
      if (kTicksPerWhole % tune.unit != 0) parser.fail(lineNumber, "bad meter unit");
    } else if (key == "part") {
      if (channel == kDrumChannel) ++channel;
      parts.push_back(parser.partHeader(words, lineNumber, channel));
      if (!parts.back().part.drums) ++channel;
      if (channel > 16) parser.fail(lineNumber, "too many parts");
      body = &parts.back().body;
    } else if (key == "chart") {
      std::string name;
      if (!(words >> name)) parser.fail(lineNumber, "chart without a name");
      body = &parser.charts[name];
    } else {
      if (!body) parser.fail(lineNumber, "notes before the first part or chart");
      std::istringstream text(line);
      for (std::string w; text >> w;) body->push_back({w, lineNumber});
    }
  }
  if (tune.file.size() < 5 || tune.file.substr(tune.file.size() - 4) != ".mid")
    parser.fail(1, "the tune needs 'file NAME.mid'");
  if (parts.empty()) parser.fail(lineNumber, "the tune has no parts");
  for (PartSource& p : parts) {
    if (p.body.empty()) parser.fail(p.line, "part '" + p.part.name + "' is empty");
    size_t i = 0;
    const std::vector<Token> body = parser.expand(p.body, i, false);
    if (p.style.empty())
      parser.notes(p, body, tune.barTicks());
    else
      parser.chart(p, body, tune);
    if (p.part.length != parts.front().part.length)
      parser.fail(p.line, "part '" + p.part.name + "' is not as long as part '" +
                              parts.front().part.name + "'");
    tune.parts.push_back(std::move(p.part));
  }
  return tune;
}

}  // namespace kelvorn::soundgen
