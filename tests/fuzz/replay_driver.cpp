// Stands in for libFuzzer when the fuzz targets are built as ordinary tests: feeds the target
// every file of the corpus folder given on the command line, then a fixed-seed batch of random
// and mutated inputs, so the targets run in every sanitizer build.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    std::vector<std::string> inputs;
    if (argc > 1) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[1], ec)) {
            if (entry.is_regular_file()) {
                std::ifstream in(entry.path(), std::ios::binary);
                inputs.emplace_back(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
            }
        }
    }
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::size_t seeds = inputs.size();
    for (int round = 0; round < 2000; ++round) {
        std::string input;
        if (seeds > 0 && round % 2 == 0) {
            input = inputs[static_cast<std::size_t>(round / 2) % seeds];
            const int flips = 1 + round % 8;
            for (int k = 0; k < flips && !input.empty(); ++k) {
                input[static_cast<std::size_t>(random()) % input.size()] =
                    static_cast<char>(byte(random));
            }
            if (round % 3 == 0) {
                input.resize(static_cast<std::size_t>(random()) % (input.size() + 1));
            }
        } else {
            input.resize(static_cast<std::size_t>(random()) % 512);
            for (char& c : input) {
                c = static_cast<char>(byte(random));
            }
        }
        inputs.push_back(std::move(input));
    }
    for (const std::string& input : inputs) {
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
