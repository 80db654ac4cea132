// Short seeded runs of the fuzz targets on every test run: each seed input is
// mutated at random (fixed seed, so a failure repeats) and handed to the
// target, which traps on a broken invariant. The libFuzzer programs run the
// same bodies for as long as one likes.
#include "tests/fuzz/FuzzTargets.h"

#include "game/world/InputTape.h"

#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Input = std::string;

// Pieces the inputs are made of, spliced in whole so a mutation reaches the
// parsers' interesting paths more often than random bytes would.
const std::string kTokens[] = {"\n", "\r\n", "=", " ", "-", "0", "00099999 ", "AixsXCfg", "JoystickEnable",
                               "MinValueLeftCfg", "MaxValueDownCfg", "4294967295", "-2147483648",
                               "99999999999999999999", "Level ", std::string(300, 'x')};

Input Mutate(Input input, const std::vector<Input>& seeds, std::mt19937& random)
{
    const int steps = 1 + int(random() % 5);
    for (int step = 0; step < steps; ++step) {
        const size_t at = input.empty() ? 0 : random() % (input.size() + 1);
        switch (random() % 7) {
        case 0:  // a random byte changed
            if (!input.empty())
                input[random() % input.size()] = char(random());
            break;
        case 1:  // random bytes inserted
            input.insert(at, std::string(1 + random() % 8, char(random())));
            break;
        case 2:  // a range removed
            if (!input.empty())
                input.erase(random() % input.size(), 1 + random() % 16);
            break;
        case 3:  // a token inserted
            input.insert(at, kTokens[random() % (sizeof kTokens / sizeof kTokens[0])]);
            break;
        case 4:  // cut short
            input.resize(at);
            break;
        case 5: {  // a piece of another seed spliced in
            const Input& other = seeds[random() % seeds.size()];
            if (!other.empty()) {
                const size_t from = random() % other.size();
                input.insert(at, other.substr(from, 1 + random() % 64));
            }
            break;
        }
        default:  // a range repeated
            if (!input.empty()) {
                const size_t from = random() % input.size();
                input.insert(at, input.substr(from, 1 + random() % 32));
            }
            break;
        }
    }
    return input;
}

// Runs target on the seeds and then their mutations, rounds inputs in all,
// in a private working folder. A fixed number, not a time budget: the same
// inputs run on every machine, however slow. The target traps on a broken
// invariant (showing the input); the sanitizers report any stray access.
void RunSeeded(void (*target)(const uint8_t*, size_t), const std::vector<Input>& seeds, int rounds,
               uint32_t seed)
{
    TempDir folder;
    folder.Enter();
    std::mt19937 random(seed);
    for (int done = 0; done < rounds; ++done) {
        const Input input = done < int(seeds.size()) ? seeds[size_t(done)] : Mutate(seeds[size_t(done) % seeds.size()], seeds, random);
        // An exactly sized heap copy, so one byte too far is a sanitizer report.
        const std::vector<uint8_t> bytes(input.begin(), input.end());
        currentFuzzInput = {true, bytes.data(), bytes.size()};
        target(bytes.data(), bytes.size());
    }
    currentFuzzInput = {};
}

std::string Length16(const std::string& text)
{
    return std::string{char(text.size() & 0xFF), char(text.size() >> 8)} + text;
}

std::string Event(int16_t value, uint8_t type, uint8_t number)
{
    return std::string{0, 0, 0, 0, char(value & 0xFF), char((value >> 8) & 0xFF), char(type), char(number)};
}

TEST(SeededFuzz, ScoreTable)
{
    std::string ten;
    for (int i = 10; i >= 1; --i)
        ten += "000" + std::to_string(i * 11111).substr(0, 5) + " Player" + std::to_string(i) + "      Level 2\n";
    const std::vector<Input> seeds = {"", ten, "00000350 Mario        Level 3\n", std::string(300, '9') + "\nabc\n",
                                      std::string("a\0b\r\n\n\nlast", 12)};
    RunSeeded(FuzzScoreTable, seeds, 400, 20261208);
}

TEST(SeededFuzz, JoystickConfig)
{
    const std::string defaults =
        "JoystickEnable= 1\nAixsXCfg= 0\nAixsYCfg= 1\nMinValueLeftCfg= -32767\nMaxValueLeftCfg= -1\n"
        "MinValueRightCfg= 1\nMaxValueRightCfg= 32767\nMinValueUpCfg= -32767\nMaxValueUpCfg= -1\n"
        "MinValueDownCfg= 1\nMaxValueDownCfg= 32767\n";
    const std::vector<Input> seeds = {
        Length16(defaults) + Event(-300, 2, 0) + Event(20000, 2, 1) + Event(1, 1, 3),
        Length16(defaults) + Event(-300, 0x82, 0) + Event(5, 2, 0),
        Length16("JoystickEnable= 0\n"), Length16("AixsXCfg= 4294967296\n= \n==\n") + "abc", ""};
    RunSeeded(FuzzJoystickConfig, seeds, 1500, 20261209);
}

TEST(SeededFuzz, BinPicture)
{
    std::string pixels;
    for (int i = 0; i < 300; ++i)
        pixels += char(i * 7);
    const std::vector<Input> seeds = {std::string{4, 3, 0} + pixels.substr(0, 36), std::string{5, 5, 1} + pixels,
                                      std::string{64, 1, 7} + pixels.substr(0, 10), std::string{0, 9, 3},
                                      std::string{3, 0, 22} + pixels};
    RunSeeded(FuzzBinPicture, seeds, 3000, 20261210);
}

TEST(SeededFuzz, Recording)
{
    // A short game: runs of held directions, typed keys, the name entry's end.
    InputTape tape;
    StepInput step;
    for (int i = 0; i < 150; ++i)
        tape.Record(step);
    step.Add(StepInput::Event::Typed, 'g');
    tape.Record(step);
    step = StepInput{};
    for (uint8_t held : {StepInput::kRight, uint8_t(StepInput::kRight | StepInput::kUp), StepInput::kLeft}) {
        step.held = held;
        for (int i = 0; i < 90; ++i)
            tape.Record(step);
    }
    step.Add(StepInput::Event::KeyReleased);
    step.Add(StepInput::Event::NameEntered);
    tape.Record(step);
    InputTape empty;
    const std::vector<Input> seeds = {tape.Encode(), empty.Encode(), "BRUVOREC", ""};
    RunSeeded(FuzzRecording, seeds, 1500, 20261211);
}

} // namespace
