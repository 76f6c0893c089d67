// Build-time tool: synthesises the program's event sounds (claves, cork pop, metal clang) as
// 16-bit mono PCM WAV files from sine and noise envelopes. Usage: nimbus_synth_sounds <folder>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// A fixed-seed generator: the files are the same on every build.
class Noise {
public:
    double next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    }

private:
    std::uint32_t state_ = 0x5eed1234u;
};

std::vector<double> silence(double seconds)
{
    return std::vector<double>(static_cast<std::size_t>(seconds * kRate), 0.0);
}

// Adds a decaying sine partial starting at a given time.
void addPartial(std::vector<double> &out, double start, double frequency, double amplitude,
                double decay)
{
    const std::size_t first = static_cast<std::size_t>(start * kRate);
    for (std::size_t i = first; i < out.size(); ++i) {
        const double t = static_cast<double>(i - first) / kRate;
        out[i] += amplitude * std::exp(-t / decay) * std::sin(2 * kPi * frequency * t);
    }
}

// Two dry wooden clicks.
std::vector<double> claves()
{
    std::vector<double> out = silence(0.45);
    for (double start : {0.0, 0.22}) {
        addPartial(out, start, 2480.0, 0.7, 0.035);
        addPartial(out, start, 4960.0, 0.15, 0.015);
    }
    return out;
}

// A short noise burst over a falling low tone.
std::vector<double> corkPop()
{
    std::vector<double> out = silence(0.25);
    Noise noise;
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double frequency = 150.0 + 450.0 * std::exp(-t / 0.02);
        phase += 2 * kPi * frequency / kRate;
        out[i] =
            0.6 * std::exp(-t / 0.03) * std::sin(phase) + 0.5 * std::exp(-t / 0.006) * noise.next();
    }
    return out;
}

// Inharmonic partials ringing out after a noisy strike.
std::vector<double> metalClang()
{
    std::vector<double> out = silence(1.4);
    const double partials[][3] = {
        {523.0, 0.35, 0.55}, {1312.0, 0.25, 0.4}, {2291.0, 0.18, 0.3}, {3387.0, 0.1, 0.2}};
    for (const auto &p : partials)
        addPartial(out, 0.0, p[0], p[1], p[2]);
    Noise noise;
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] += 0.3 * std::exp(-static_cast<double>(i) / kRate / 0.01) * noise.next();
    return out;
}

void put16(std::ofstream &out, std::uint16_t v)
{
    const char b[2] = {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
    out.write(b, 2);
}

void put32(std::ofstream &out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v & 0xffff));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

bool writeWav(const std::string &path, const std::vector<double> &samples)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::uint32_t bytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + bytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, bytes);
    for (double s : samples) {
        const double clipped = s > 1.0 ? 1.0 : (s < -1.0 ? -1.0 : s);
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(clipped * 32000.0)));
    }
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const bool ok = writeWav(folder + "claves.wav", claves()) &&
                    writeWav(folder + "cork_pop.wav", corkPop()) &&
                    writeWav(folder + "metal_clang.wav", metalClang());
    if (!ok)
        std::fprintf(stderr, "cannot write the sounds into %s\n", folder.c_str());
    return ok ? 0 : 1;
}
