#include "tools/soundgen/midi.h"

#include <algorithm>
#include <string>
#include <tuple>

namespace kelvorn::soundgen {

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

void putVariable(Bytes& out, std::uint32_t v) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = v & 0x7f;
    v >>= 7;
  } while (v != 0);
  while (n > 1) out.push_back(groups[--n] | 0x80);
  out.push_back(groups[0]);
}

struct Event {
  int tick;
  int order;  // at one tick: set-up first, then note-offs, then note-ons
  Bytes data;
};

// Appends a track chunk; events are sorted by time and written with delta times, and
// the end-of-track marker sits at `length` so every track ends at the bar line.
void putTrack(Bytes& out, std::vector<Event> events, int length) {
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return std::tie(a.tick, a.order) < std::tie(b.tick, b.order);
  });
  Bytes body;
  int now = 0;
  for (const Event& e : events) {
    putVariable(body, std::uint32_t(e.tick - now));
    now = e.tick;
    body.insert(body.end(), e.data.begin(), e.data.end());
  }
  putVariable(body, std::uint32_t(std::max(length - now, 0)));
  body.insert(body.end(), {0xff, 0x2f, 0x00});
  out.insert(out.end(), {'M', 'T', 'r', 'k'});
  put32(out, std::uint32_t(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

Event text(int type, const std::string& s) {
  Event e{0, 0, {0xff, std::uint8_t(type)}};
  putVariable(e.data, std::uint32_t(s.size()));
  e.data.insert(e.data.end(), s.begin(), s.end());
  return e;
}

int log2(int v) {
  int n = 0;
  while (v > 1) v >>= 1, ++n;
  return n;
}

}  // namespace

std::vector<std::uint8_t> encodeMidi(const Tune& tune) {
  Bytes out{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  out.push_back(std::uint8_t((tune.parts.size() + 1) >> 8));
  out.push_back(std::uint8_t(tune.parts.size() + 1));
  out.push_back(kTicksPerQuarter >> 8);
  out.push_back(kTicksPerQuarter & 0xff);

  const std::uint32_t microsPerQuarter = 60'000'000u / std::uint32_t(tune.tempo);
  std::vector<Event> conductor{
      text(0x03, tune.title),
      {0,
       0,
       {0xff, 0x51, 0x03, std::uint8_t(microsPerQuarter >> 16), std::uint8_t(microsPerQuarter >> 8),
        std::uint8_t(microsPerQuarter)}},
      {0, 0, {0xff, 0x58, 0x04, std::uint8_t(tune.beats), std::uint8_t(log2(tune.unit)), 24, 8}}};
  putTrack(out, conductor, tune.length());

  for (const Part& part : tune.parts) {
    const std::uint8_t ch = std::uint8_t(part.channel);
    std::vector<Event> events{text(0x03, part.name)};
    if (!part.drums)
      events.push_back({0, 0, {std::uint8_t(0xc0 | ch), std::uint8_t(part.program)}});
    events.push_back({0, 0, {std::uint8_t(0xb0 | ch), 7, std::uint8_t(part.volume)}});
    events.push_back({0, 0, {std::uint8_t(0xb0 | ch), 10, std::uint8_t(part.pan)}});
    events.push_back({0, 0, {std::uint8_t(0xb0 | ch), 91, std::uint8_t(part.reverb)}});
    for (const Note& n : part.notes) {
      const auto key = std::uint8_t(n.pitch), velocity = std::uint8_t(n.velocity);
      events.push_back({n.start, 2, {std::uint8_t(0x90 | ch), key, velocity}});
      events.push_back({n.start + n.length, 1, {std::uint8_t(0x80 | ch), key, 0}});
    }
    putTrack(out, std::move(events), tune.length());
  }
  return out;
}

}  // namespace kelvorn::soundgen
