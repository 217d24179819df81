// Replays inputs through a fuzz target where the compiler has no fuzzer: every file named,
// or every file in each folder named, once. The corpora and crash cases thus run as
// ordinary tests in every build.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> soubory;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path p = argv[i];
    if (std::filesystem::is_directory(p)) {
      for (const auto& e : std::filesystem::recursive_directory_iterator(p))
        if (e.is_regular_file()) soubory.push_back(e.path());
    } else {
      soubory.push_back(p);
    }
  }
  for (const auto& p : soubory) {
    std::ifstream f(p, std::ios::binary);
    std::string obsah((std::istreambuf_iterator<char>(f)), {});
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(obsah.data()), obsah.size());
  }
  std::printf("%zu inputs\n", soubory.size());
  return soubory.empty() ? 1 : 0;
}
