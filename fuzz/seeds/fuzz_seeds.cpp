// Writes valid files of one kind into a folder, for the fuzz targets to start from:
//   fuzz_seeds bitmap|font|hiscore|ini|wav|music|query|upload FOLDER
// Made fresh on every run, so the repository holds the generator, not binary seed files.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "records/high_score_table.h"
#include "support/bmp_builder.h"

namespace {
using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

bool Write(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

bool WriteText(const fs::path& path, const std::string& text) {
    return Write(path, Bytes(text.begin(), text.end()));
}

// Every depth the loader reads, odd widths (padded rows), the blue key among the colours.
bool Bitmaps(const fs::path& folder) {
    const bmp::ColorAt stripes = [](int x, int y) -> uint32_t {
        return (x + y) % 3 == 0 ? 0x0000FF : (x % 2 ? 0xE0C030 : 0x102040 * uint32_t(y % 4));
    };
    bool ok = true;
    for (int depth : {8, 16, 24, 32})
        for (const auto& [width, height] : {std::pair{7, 5}, std::pair{40, 24}})
            ok = ok && Write(folder / ("picture" + std::to_string(depth) + "_" +
                                       std::to_string(width) + ".bmp"),
                             bmp::Build(width, height, depth, stripes));
    return ok;
}

// The font target's own format (see fuzz_font.cpp): 16-bit width - 1, height - 1, a mode byte,
// then pixels. Glyph runs of ink columns between blue gaps, as a font bitmap has them.
bool Fonts(const fs::path& folder) {
    bool ok = true;
    for (bool raw : {false, true}) {
        const int height = raw ? 8 : 16, glyphs = raw ? 20 : 94;
        std::vector<bool> ink;
        for (int g = 0; g < glyphs; ++g) {
            for (int c = 0; c < 2 + g % 6; ++c)
                ink.push_back(true);
            ink.push_back(false);
        }
        const int width = int(ink.size());
        Bytes bytes{uint8_t(width - 1), uint8_t((width - 1) >> 8), uint8_t(height - 1),
                    uint8_t(raw ? 1 : 0)};
        Bytes bits((size_t(width) * size_t(height) + 7) / 8, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const bool on = ink[size_t(x)] && (y + x) % 4 != 0;
                const size_t i = size_t(y) * size_t(width) + size_t(x);
                if (raw) {
                    const uint16_t value = on ? 0xFFFF : 0x001F;
                    bytes.push_back(uint8_t(value));
                    bytes.push_back(uint8_t(value >> 8));
                } else if (on) {
                    bits[i / 8] |= uint8_t(1 << (i % 8));
                }
            }
        if (!raw)
            bytes.insert(bytes.end(), bits.begin(), bits.end());
        ok = ok && Write(folder / (raw ? "font_raw" : "font_bits"), bytes);
    }
    return ok;
}

// Tables written by the records code itself: empty, part full with player strings, full.
bool HighScores(const fs::path& folder) {
    bool ok = true;
    for (int filled : {0, 5, HIGH_SCORE_ENTRIES}) {
        HighScoreTable table;
        table.Allocate(HIGH_SCORE_ENTRIES);
        for (int i = 0; i < filled; ++i) {
            std::string player = "Player " + std::to_string(i) + ":street " + std::to_string(i) +
                                 ":p" + std::to_string(i) + "@example.com:" + (i % 2 ? "Y" : "N");
            if (i == 3)
                player = std::string(HIGH_SCORE_NAME_SIZE - 1, 'x');
            table.Insert(player.c_str(), 1000 * (i + 1));
        }
        ok = ok && table.Save((folder / ("hiscore" + std::to_string(filled) + ".dat")).c_str());
    }
    return ok;
}

// The settings files the programs read, and the spellings the reader must cope with.
bool Settings(const fs::path& folder) {
    std::string options = "[setup]\r\nplayerid=2\r\nSFX=Y\r\nMusic=N\r\n";
    for (int i = 1; i <= 8; ++i)
        options += "[Player" + std::to_string(i) + "]\r\nname=Name " + std::to_string(i) +
                   "\r\naddress=Street " + std::to_string(i) + "\r\nemail=n" + std::to_string(i) +
                   "@example.com\r\nsend=" + (i % 2 ? "Y" : "N") + "\r\n";
    const std::map<std::string, std::string> files = {
        {"options.ini", options},
        {"suite_setup.ini", "[setup]\nfullscreen=0\n[suite]\nwebsite=http://lumora.example/\n"
                            "scoreserver=http://scores.example\n"},
        {"game_setup.ini", "[setup]\nfullscreen=1\n[default]\ngametime=154\n"},
        {"images.ini", "[images]\nimage01=background\nimage02=buttons\n"
                       "[background]\nfile=background.bmp\n"},
        {"spellings.ini", "; a comment\n  [ Setup ]  \n MUSIC = y \nsfx=\nnoequals\n[empty]\n"
                          "[setup]\nplayerid=99999999999999999999\nkey=a=b\n"},
    };
    bool ok = true;
    for (const auto& [name, text] : files)
        ok = ok && WriteText(folder / name, text);
    return ok;
}

void Put(Bytes& b, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b.push_back(uint8_t(value >> (8 * i)));
}

Bytes Chunk(const char* id, const Bytes& body) {
    Bytes b(id, id + 4);
    Put(b, uint32_t(body.size()), 4);
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2)
        b.push_back(0); // the pad byte after an odd-sized chunk
    return b;
}

Bytes Format(int channels, int rate, int bits, bool extended) {
    Bytes b;
    const int block = channels * bits / 8;
    Put(b, 1, 2);
    Put(b, uint32_t(channels), 2);
    Put(b, uint32_t(rate), 4);
    Put(b, uint32_t(rate * block), 4);
    Put(b, uint32_t(block), 2);
    Put(b, uint32_t(bits), 2);
    if (extended)
        Put(b, 0, 2);
    return b;
}

// A square-wave tone; a sampler loop from frame loopStart to loopEnd when they differ.
struct Tone {
    const char* name;
    int channels, rate, bits;
    bool extended, list;
    int frames, loopStart, loopEnd;
};

Bytes ToneWav(const Tone& t) {
    Bytes pcm;
    for (int i = 0; i < t.frames * t.channels; ++i) {
        const int level = (i / t.channels) % 40 < 20 ? 6000 : -6000;
        if (t.bits == 8)
            pcm.push_back(uint8_t(128 + level / 256));
        else
            Put(pcm, uint16_t(int16_t(level)), 2);
    }
    Bytes body{'W', 'A', 'V', 'E'};
    auto add = [&body](const Bytes& chunk) { body.insert(body.end(), chunk.begin(), chunk.end()); };
    add(Chunk("fmt ", Format(t.channels, t.rate, t.bits, t.extended)));
    if (t.list)
        add(Chunk("LIST", Bytes{'I', 'N', 'F'}));
    if (t.loopStart != t.loopEnd) {
        Bytes smpl(28, 0);
        Put(smpl, 1, 4); // one loop
        Put(smpl, 0, 4);
        Bytes loop(8, 0);
        Put(loop, uint32_t(t.loopStart), 4);
        Put(loop, uint32_t(t.loopEnd), 4);
        Put(loop, 0, 4); // fraction
        Put(loop, 0, 4); // play count: for ever
        smpl.insert(smpl.end(), loop.begin(), loop.end());
        add(Chunk("smpl", smpl));
    }
    add(Chunk("data", pcm));
    return Chunk("RIFF", body);
}

bool WriteTones(const fs::path& folder, const std::vector<Tone>& tones) {
    bool ok = true;
    for (const Tone& t : tones)
        ok = ok && Write(folder / t.name, ToneWav(t));
    return ok;
}

// A short tone in every sample format the library plays, some with the chunks real files carry.
bool Sounds(const fs::path& folder) {
    return WriteTones(folder, {
                                  {"effect8_mono.wav", 1, 11025, 8, false, false, 400, 0, 0},
                                  {"effect16_mono.wav", 1, 22050, 16, false, false, 400, 0, 0},
                                  {"music16_stereo.wav", 2, 44100, 16, true, true, 400, 0, 0},
                                  {"looped16_mono.wav", 1, 22050, 16, false, true, 400, 100, 300},
                              });
}

// For the music stream: the short tones, and tracks at low rates a little longer than the
// stream's two-second buffer, so that the fill thread reads on from the file; one loops between
// points more than a quarter second (one refill) apart.
bool Music(const fs::path& folder) {
    return Sounds(folder) &&
           WriteTones(folder,
                      {
                          {"track8_mono.wav", 1, 8000, 8, false, true, 24000, 0, 0},
                          {"track16_looped.wav", 1, 11025, 16, false, false, 27000, 3000, 25000},
                      });
}

// Queries of score uploads: as the menu sends them (every value escaped), with address and
// email, the longest player string, and as older menus sent them, with "&" and bytes above 126
// unescaped.
bool UploadQueries(const fs::path& folder) {
    const std::string masked = std::to_string(1200 ^ 0x0A3C5E71);
    const std::map<std::string, std::string> files = {
        {"escaped", "game=Kestrin&name=Ann%20Lee%3A%3A%3AN&score=" + masked},
        {"contact", "game=Kestrin&name=Ann%3A1%20High%20St%3Aann%40x.org%3AY&score=" + masked},
        {"longest", "game=Kestrin&name=" + std::string(63, 'n') + "%3A" + std::string(63, 'a') +
                        "%3A" + std::string(63, 'e') + "%3AY&score=" + masked},
        {"unescaped", "game=Kestrin&name=A&B=C+D\xE9:::Y&score=" + masked},
        {"empty", "game=Kestrin&name=&score=171728497"},
    };
    bool ok = true;
    for (const auto& [name, text] : files)
        ok = ok && WriteText(folder / name, text);
    return ok;
}

// The upload address target's input: a 32-bit score, the game's name, a NUL, the player string.
bool UploadFields(const fs::path& folder) {
    const std::map<std::string, std::pair<std::string, std::string>> files = {
        {"sent", {"Kestrin", "Ann Lee:1 High St:ann@x.org:Y"}},
        {"kept_back", {"Kestrin", "A&B=C%D+E:secret:s@x.org:N"}},
        {"high_bytes", {"K\xE9strin", "Ren\xE9\x80\xFF:::Y"}},
        {"empty", {"", ""}},
    };
    bool ok = true;
    for (const auto& [name, fields] : files) {
        Bytes bytes;
        Put(bytes, 1850300, 4);
        bytes.insert(bytes.end(), fields.first.begin(), fields.first.end());
        bytes.push_back(0);
        bytes.insert(bytes.end(), fields.second.begin(), fields.second.end());
        ok = ok && Write(folder / name, bytes);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    const std::map<std::string, std::function<bool(const fs::path&)>> kinds = {
        {"bitmap", Bitmaps}, {"font", Fonts},  {"hiscore", HighScores},  {"ini", Settings},
        {"wav", Sounds},     {"music", Music}, {"query", UploadQueries}, {"upload", UploadFields},
    };
    auto kind = argc == 3 ? kinds.find(argv[1]) : kinds.end();
    if (kind == kinds.end()) {
        std::fprintf(stderr, "usage: %s bitmap|font|hiscore|ini|wav|music|query|upload FOLDER\n",
                     argv[0]);
        return 2;
    }
    std::error_code error;
    fs::create_directories(argv[2], error);
    if (!kind->second(argv[2])) {
        std::fprintf(stderr, "%s: could not write the %s seeds into %s\n", argv[0], argv[1],
                     argv[2]);
        return 1;
    }
    return 0;
}
