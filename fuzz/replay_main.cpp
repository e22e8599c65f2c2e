// A main for a fuzz target without libFuzzer: every file named on the command line, and
// every file in every folder named (in name order), goes once to LLVMFuzzerTestOneInput.
// Built with the sanitizers, it replays the seed files and the saved findings of each
// target with g++ alone, as the sanitized CI stage does; a folder that does not exist
// holds no findings yet.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg = argv[i];
    std::error_code ec;
    if (fs::is_directory(arg, ec)) {
      std::vector<fs::path> inside;
      for (const auto& entry : fs::directory_iterator(arg))
        if (entry.is_regular_file()) inside.push_back(entry.path());
      std::sort(inside.begin(), inside.end());
      files.insert(files.end(), inside.begin(), inside.end());
    } else if (fs::exists(arg, ec)) {
      files.push_back(arg);
    }
  }
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::cout << argv[0] << ": " << files.size() << " inputs, no fault\n";
  return files.empty() ? 1 : 0;
}
