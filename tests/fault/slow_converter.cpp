// A slow stand-in converter: after QUILLFEN_FAULT_DELAY_MS, QUILLFEN_FAULT_SHAPE to argv[1] in pieces.

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    const char* shape = std::getenv("QUILLFEN_FAULT_SHAPE");
    if (argc < 2 || shape == nullptr) return 1;
    const char* delay = std::getenv("QUILLFEN_FAULT_DELAY_MS");
    std::this_thread::sleep_for(std::chrono::milliseconds(delay ? std::atoi(delay) : 300));
    std::ifstream in(shape, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::ofstream out(argv[1], std::ios::binary);
    constexpr std::size_t kPiece = 4 << 20;
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        out.write(bytes.data() + at, static_cast<std::streamsize>(std::min(kPiece, bytes.size() - at)));
        out.flush();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return out ? 0 : 1;
}
