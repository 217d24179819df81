// The summary of a run, for programs (JSON) and for people (text).
#include <cmath>
#include <cstdio>
#include <string>

#include "sim/beh.h"

namespace stanovar {

namespace {

// Code points of the bytes 0x80..0xFF in windows-1250; U+FFFD for the five it leaves unused.
constexpr char16_t Horni1250[128] = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// A JSON string literal. Control characters are escaped; other bytes pass as they are, which
// keeps UTF-8 paths and names intact.
std::string Json(const std::string& t) {
  std::string r = "\"";
  for (unsigned char c : t) {
    if (c == '"' || c == '\\') {
      r += '\\';
      r += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char b[8];
      std::snprintf(b, sizeof b, "\\u%04x", c);
      r += b;
    } else {
      r += static_cast<char>(c);
    }
  }
  return r + "\"";
}

std::string Cislo(double v, int mist) {
  if (!std::isfinite(v)) return "null";
  char b[64];
  std::snprintf(b, sizeof b, "%.*f", mist, v);
  return b;
}

// The schema's file name stands for the station.
std::string Stanice(const Stav& s) {
  const std::string& cesta = s.nastaveni.cestaSchema;
  const std::size_t p = cesta.find_last_of("/\\");
  return p == std::string::npos ? cesta : cesta.substr(p + 1);
}

}  // namespace

std::string Utf8Z1250(const std::string& t) {
  std::string r;
  for (unsigned char c : t) {
    const unsigned u = c < 0x80 ? c : Horni1250[c - 0x80];
    if (u < 0x80) {
      r += static_cast<char>(u);
    } else if (u < 0x800) {
      r += static_cast<char>(0xC0 | (u >> 6));
      r += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      r += static_cast<char>(0xE0 | (u >> 12));
      r += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      r += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return r;
}

std::string SouhrnJson(const Beh& beh) {
  const SouhrnBehu& r = beh.souhrn();
  const VolbyBehu& v = beh.volby();
  const auto n = [](long long x) { return std::to_string(x); };
  std::string j = "{\n";
  j += "  \"station\": " + Json(Stanice(beh.stav())) + ",\n";
  j += "  \"seed\": " + n(v.seed) + ",\n";
  j += "  \"hours\": " + Cislo(v.hodin, 3) + ",\n";
  j += "  \"frequency\": " + n(v.cetnost) + ",\n";
  j += std::string("  \"dispatcher\": ") + (v.dispecer ? "true" : "false") + ",\n";
  j += std::string("  \"checked\": ") + (v.kontrola ? "true" : "false") + ",\n";
  j += "  \"trains\": {\"entered\": " + n(r.vjelo) + ", \"left\": " + n(r.odjelo) +
       ", \"in_station\": " + n(r.veStanici) + "},\n";
  j += "  \"offers\": {\"made\": " + n(r.nabidnuto) + ", \"accepted\": " + n(r.prijato) +
       ", \"refused\": " + n(r.odmitnuto) + ", \"unanswered\": " + n(r.cekaNaOdpoved) + "},\n";
  j += "  \"routes\": {\"set\": " + n(r.nastaveno) + ", \"stored\": " + n(r.ulozeno) +
       ", \"cancelled\": " + n(r.zruseno) + "},\n";
  j += "  \"time_in_station_s\": {\"mean\": " + Cislo(r.prumernyPobyt, 1) +
       ", \"max\": " + Cislo(r.nejdelsiPobyt, 1) +
       ", \"longest_still_in_station\": " + Cislo(r.nejdelsiZustavajici, 1) + "},\n";
  j += "  \"busiest_element\": ";
  if (r.nejvytizenejsi)
    j += "{\"id\": " + n(r.nejvytizenejsi) + ", \"name\": " + Json(r.nazevNejvytizenejsiho) +
         ", \"occupations\": " + n(r.obsazeniNejvytizenejsiho) +
         ", \"occupied_s\": " + Cislo(r.obsazenoSekund, 1) + "},\n";
  else
    j += "null,\n";
  j += "  \"calculation_faults\": " + n(r.poruchVypoctu) + ",\n";
  j += "  \"events\": " + n(r.udalosti) + ",\n";
  j += "  \"simulated_s\": " + Cislo(r.simulovanoSekund, 3) + ",\n";
  j += "  \"wall_s\": " + Cislo(r.stenaSekund, 3) + ",\n";
  j += "  \"sim_s_per_wall_s\": " +
       Cislo(r.stenaSekund > 0 ? r.simulovanoSekund / r.stenaSekund : 0, 0) + ",\n";
  j += "  \"violation\": " + (r.poruseni.empty() ? std::string("null") : Json(r.poruseni)) + "\n";
  return j + "}\n";
}

std::string SouhrnText(const Beh& beh) {
  const SouhrnBehu& r = beh.souhrn();
  const VolbyBehu& v = beh.volby();
  const auto n = [](long long x) { return std::to_string(x); };
  std::string t;
  const auto radek = [&](const char* co, const std::string& hodnota) {
    char b[32];
    std::snprintf(b, sizeof b, "%-20s", co);
    t += b + hodnota + "\n";
  };
  radek("station", Stanice(beh.stav()) + ", seed " + n(v.seed) + ", " + Cislo(v.hodin, 2) +
                       " h, frequency " + n(v.cetnost) +
                       (v.dispecer ? ", automatic dispatcher" : ", no dispatcher") +
                       (v.kontrola ? ", checked" : ""));
  radek("trains", "entered " + n(r.vjelo) + ", left " + n(r.odjelo) + ", in the station " +
                      n(r.veStanici));
  radek("offers", "made " + n(r.nabidnuto) + ", accepted " + n(r.prijato) + ", refused " +
                      n(r.odmitnuto) + ", unanswered " + n(r.cekaNaOdpoved));
  radek("routes", "set " + n(r.nastaveno) + ", stored " + n(r.ulozeno) + ", cancelled " +
                      n(r.zruseno));
  radek("time in station", "mean " + Cislo(r.prumernyPobyt, 1) + " s, max " +
                               Cislo(r.nejdelsiPobyt, 1) + " s (longest still there " +
                               Cislo(r.nejdelsiZustavajici, 1) + " s)");
  radek("busiest element", r.nejvytizenejsi ? r.nazevNejvytizenejsiho + " (" +
                                                  n(r.nejvytizenejsi) + "), entered " +
                                                  n(r.obsazeniNejvytizenejsiho) + " times, " +
                                                  Cislo(r.obsazenoSekund, 1) + " s occupied"
                                            : std::string("none"));
  radek("calculation faults", n(r.poruchVypoctu));
  radek("events executed", n(r.udalosti));
  radek("wall time", Cislo(r.stenaSekund, 3) + " s, " +
                         Cislo(r.stenaSekund > 0 ? r.simulovanoSekund / r.stenaSekund : 0, 0) +
                         " simulated seconds per wall second");
  if (!r.poruseni.empty())
    radek("violation", "at " + Cislo(r.casPoruseni, 3) + " s: " + r.poruseni);
  return t;
}

}  // namespace stanovar
