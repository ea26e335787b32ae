// The book's background tune: a bouncy 32-bar song in C major (A A' B A'), 112 beats per
// minute, about 69 seconds, looped by the program. Marimba sings the tune, a flute takes
// over in the bridge and joins in for the last verse; piano chords on the off-beats, an
// acoustic bass on one and three, and soft brushes of percussion keep it light.
#include <array>
#include <cctype>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "audio.h"
#include "midi_writer.h"

namespace book {

namespace {

constexpr int kDivision = 480;  // ticks per quarter note
constexpr uint32_t kBar = 4 * kDivision;
constexpr double kTempo = 112.0;

// Written as note name, octave and length (w h q e, "." for dotted), "r" for a rest; bars are
// separated by "|" and each must add up to a full 4/4 bar.
constexpr const char* kVerseOpen =
    "C5q E5q G5q G5q | A5q A5e G5e F5h | E5q G5q E5q C5q | D5q E5e D5e B4h | ";
constexpr const char* kVerseAsk =
    "C5q E5q G5q C6q | A5q C6e A5e F5h | E5q G5e E5e C5q E5q | D5h. rq";
constexpr const char* kVerseAnswer =
    "C5q E5q G5q C6q | A5q G5q F5q A5q | G5q F5e E5e D5q B4q | C5h rh";
constexpr const char* kBridge =
    "A5q. G5e F5q A5q | G5h E5h | F5q. E5e D5q F5q | E5h D5h | "
    "C5q E5q A5h | C6q A5q F5q A5q | G5e G5e A5e G5e F5q D5q | D5q E5q F5q D5q";

constexpr const char* kVerseAskChords = "C F C G C F C G";
constexpr const char* kVerseAnswerChords = "C F C G C F G7 C";
constexpr const char* kBridgeChords = "F C Dm G Am F G G7";

struct Note {
    int key;  // -1 for a rest
    uint32_t start;
    uint32_t length;
};

struct Chord {
    std::array<int, 3> voicing;  // piano, around middle C
    int root;                    // bass, beat one
    int fifth;                   // bass, beat three
};

const std::map<std::string, Chord>& chords() {
    static const std::map<std::string, Chord> table{
        {"C", {{60, 64, 67}, 36, 43}},  {"F", {{60, 65, 69}, 41, 36}},
        {"G", {{59, 62, 67}, 43, 38}},  {"G7", {{59, 65, 67}, 43, 38}},
        {"Dm", {{62, 65, 69}, 38, 45}}, {"Am", {{60, 64, 69}, 45, 40}}};
    return table;
}

uint32_t parseLength(const std::string& token, size_t& i) {
    static const std::map<char, uint32_t> lengths{
        {'w', 4 * kDivision}, {'h', 2 * kDivision}, {'q', kDivision}, {'e', kDivision / 2}};
    const auto found = i < token.size() ? lengths.find(token[i]) : lengths.end();
    if (found == lengths.end()) throw std::invalid_argument("bad note length in " + token);
    uint32_t length = found->second;
    if (++i < token.size() && token[i] == '.') {
        length += length / 2;
        ++i;
    }
    return length;
}

Note parseNote(const std::string& token, uint32_t start) {
    static const std::map<char, int> steps{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                           {'G', 7}, {'A', 9}, {'B', 11}};
    size_t i = 0;
    int key = -1;
    if (token[0] == 'r') {
        i = 1;
    } else {
        const auto step = steps.find(token[0]);
        if (step == steps.end() || token.size() < 3)
            throw std::invalid_argument("bad note " + token);
        key = step->second;
        i = 1;
        if (token[i] == '#') key += 1, ++i;
        if (token[i] == 'b') key -= 1, ++i;
        if (!std::isdigit(static_cast<unsigned char>(token[i]))) {
            throw std::invalid_argument("bad octave in " + token);
        }
        key += 12 * (token[i++] - '0' + 1);
    }
    const uint32_t length = parseLength(token, i);
    if (i != token.size()) throw std::invalid_argument("bad note " + token);
    return {key, start, length};
}

// Appends a phrase to notes, starting at the bar after the last one already there.
void appendPhrase(std::vector<Note>& notes, uint32_t& cursor, const std::string& text) {
    std::istringstream in(text);
    std::string token;
    uint32_t barStart = cursor;
    auto closeBar = [&] {
        if (cursor - barStart != kBar) throw std::logic_error("a bar of the tune is not 4/4");
        barStart = cursor;
    };
    while (in >> token) {
        if (token == "|") {
            closeBar();
            continue;
        }
        const Note n = parseNote(token, cursor);
        cursor += n.length;
        if (n.key >= 0) notes.push_back(n);
    }
    closeBar();
}

void appendChords(std::vector<Chord>& bars, const std::string& text) {
    std::istringstream in(text);
    std::string name;
    while (in >> name) bars.push_back(chords().at(name));
}

// A little accent on the strong beats keeps the melody bouncing without any harsh note.
int accented(int velocity, uint32_t tick) {
    const uint32_t inBar = tick % kBar;
    if (inBar == 0) return velocity + 8;
    if (inBar == 2 * kDivision) return velocity + 4;
    if (inBar % kDivision != 0) return velocity - 6;
    return velocity;
}

midi::Track channelTrack(const std::string& name, int channel, int program, int volume, int pan) {
    midi::Track t(name);
    if (channel != 9) t.program(channel, 0, program);
    t.controller(channel, 0, 7, volume);
    t.controller(channel, 0, 10, pan);
    t.controller(channel, 0, 91, 40);  // a little room
    t.controller(channel, 0, 93, 0);
    return t;
}

void addMelody(midi::Track& t, int channel, const std::vector<Note>& notes, int velocity,
               double legato) {
    for (const Note& n : notes) {
        const auto length = static_cast<uint32_t>(n.length * legato);
        t.note(channel, n.start, length, n.key, accented(velocity, n.start));
    }
}

}  // namespace

void writeTune(const std::string& midiPath) {
    // Form: A (ends on the dominant), A' (ends home), B (the bridge), A' again.
    std::vector<Note> verse1, bridge, verse2;
    uint32_t cursor = 0;
    appendPhrase(verse1, cursor, std::string(kVerseOpen) + kVerseAsk);
    appendPhrase(verse1, cursor, std::string(kVerseOpen) + kVerseAnswer);
    appendPhrase(bridge, cursor, kBridge);
    appendPhrase(verse2, cursor, std::string(kVerseOpen) + kVerseAnswer);
    const uint32_t end = cursor;

    std::vector<Chord> bars;
    for (const char* c : {kVerseAskChords, kVerseAnswerChords, kBridgeChords, kVerseAnswerChords}) {
        appendChords(bars, c);
    }
    if (bars.size() * kBar != end) throw std::logic_error("chords and tune differ in length");

    midi::Track conductor("Colouring Book");
    conductor.tempo(0, kTempo);
    conductor.timeSignature(0, 4, 2);
    conductor.keySignature(0, 0, false);

    midi::Track marimba = channelTrack("Tune", 0, 12, 127, 64);
    addMelody(marimba, 0, verse1, 104, 0.98);
    addMelody(marimba, 0, verse2, 104, 0.98);

    midi::Track flute = channelTrack("Flute", 3, 73, 110, 78);
    addMelody(flute, 3, bridge, 84, 0.92);
    addMelody(flute, 3, verse2, 60, 0.92);

    midi::Track piano = channelTrack("Chords", 1, 0, 110, 48);
    midi::Track bass = channelTrack("Bass", 2, 32, 88, 64);
    midi::Track drums = channelTrack("Drums", 9, 0, 100, 64);
    for (size_t b = 0; b < bars.size(); ++b) {
        const uint32_t bar = static_cast<uint32_t>(b) * kBar;
        const Chord& c = bars[b];
        for (int key : c.voicing) {
            piano.note(1, bar + kDivision, kDivision * 5 / 8, key, 62);
            piano.note(1, bar + 3 * kDivision, kDivision * 5 / 8, key, 58);
        }
        bass.note(2, bar, kDivision * 7 / 8, c.root, 84);
        bass.note(2, bar + 2 * kDivision, kDivision * 7 / 8, c.fifth, 74);
        drums.note(9, bar, 60, 36, 64);  // bass drum
        drums.note(9, bar + 2 * kDivision, 60, 36, 56);
        drums.note(9, bar + kDivision, 60, 37, 46);  // side stick
        drums.note(9, bar + 3 * kDivision, 60, 37, 46);
        for (uint32_t e = 0; e < 8; ++e) {  // closed hi-hat, softly
            drums.note(9, bar + e * kDivision / 2, 60, 42, e % 2 == 0 ? 42 : 30);
        }
    }

    midi::writeFile(midiPath, kDivision, {conductor, marimba, flute, piano, bass, drums}, end);
}

}  // namespace book
