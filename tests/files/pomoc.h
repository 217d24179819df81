// Helpers of the file tests: a private temporary folder and builders of file lines.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

namespace stanovar::test {

// A fresh folder under the system's temporary directory, removed with everything in it.
class Adresar {
 public:
  Adresar() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string jmeno = std::string("stanovar_") + (info ? info->test_suite_name() : "x") + "_" +
                        (info ? info->name() : "y") + "_" + std::to_string(++pocitadlo());
    cesta_ = (std::filesystem::temp_directory_path() / jmeno).string();
    std::filesystem::remove_all(cesta_);
    std::filesystem::create_directories(cesta_);
  }
  ~Adresar() {
    std::error_code ec;
    std::filesystem::remove_all(cesta_, ec);
  }
  Adresar(const Adresar&) = delete;
  Adresar& operator=(const Adresar&) = delete;

  const std::string& cesta() const { return cesta_; }
  std::string operator/(const std::string& jmeno) const { return cesta_ + "/" + jmeno; }

  // Writes the bytes exactly as given and returns the file's path.
  std::string zapis(const std::string& jmeno, const std::string& obsah) const {
    std::string p = *this / jmeno;
    std::filesystem::create_directories(std::filesystem::path(p).parent_path());
    std::ofstream f(p, std::ios::binary);
    f << obsah;
    return p;
  }
  std::string cti(const std::string& jmeno) const {
    std::ifstream f(*this / jmeno, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }

 private:
  static int& pocitadlo() {
    static int n = 0;
    return n;
  }
  std::string cesta_;
};

// A schema line: the head, then the fields each introduced by the separator byte 0x85.
inline std::string Y(const std::string& hlava, std::initializer_list<std::string> pole) {
  std::string r = hlava;
  for (const auto& p : pole) r += "\x85" + p;
  return r + "\r\n";
}

}  // namespace stanovar::test
