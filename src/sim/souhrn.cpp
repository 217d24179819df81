// The summary of a run, for programs (JSON) and for people (text).
#include <cmath>
#include <cstdio>
#include <string>

#include "sim/beh.h"

namespace stanovar {

namespace {

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

std::string SouhrnJson(const Beh& beh) {
  const SouhrnBehu& r = beh.souhrn();
  const VolbyBehu& v = beh.volby();
  const auto n = [](long long x) { return std::to_string(x); };
  std::string j = "{\n";
  j += "  \"station\": " + Json(Stanice(beh.stav())) + ",\n";
  j += "  \"seed\": " + n(v.seed) + ",\n";
  j += "  \"hours\": " + Cislo(v.hodin, 3) + ",\n";
  j += "  \"frequency\": " + n(v.cetnost) + ",\n";
  j += std::string("  \"dispatcher\": ") +
       (!v.dispecer   ? "\"none\""
        : v.nahodny  ? "\"random\""
        : v.jednoduchy ? "\"simple\""
                       : "\"auto\"") + ",\n";
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
  j += "  \"wrong_way\": " + n(r.spatnymSmerem) + ",\n";
  const VysledekSkore& k = r.skore;
  j += "  \"score\": {\"points\": " + n(k.body) + ", \"handled\": " + n(k.odbaveno) +
       ", \"delay_s\": " + Cislo(k.zpozdeni, 1) + ", \"at_signal_s\": " + Cislo(k.naCestu, 1) +
       ", \"unanswered_s\": " + Cislo(k.naOdpoved, 1) +
       ", \"waiting_for_line_s\": " + Cislo(k.naTrat, 1) + ", \"refused\": " + n(k.odmitnuto) +
       ", \"wrong_way\": " + n(k.spatnymSmerem) + ", \"waiting_now\": " + n(k.cekaji) + "},\n";
  if (v.nahodny) j += "  \"random_actions\": " + n(r.akci) + ",\n";
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
                       (!v.dispecer ? ", no dispatcher"
                        : v.nahodny ? ", random dispatcher"
                        : v.jednoduchy ? ", simple dispatcher"
                                       : ", automatic dispatcher") +
                       (v.kontrola ? ", checked" : ""));
  radek("trains", "entered " + n(r.vjelo) + ", left " + n(r.odjelo) + " (" +
                      n(r.spatnymSmerem) + " the wrong way), in the station " + n(r.veStanici));
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
  const VysledekSkore& k = r.skore;
  radek("score", n(k.body) + " points: " + n(k.odbaveno) + " trains handled, " +
                     Cislo(k.zpozdeni, 1) + " s of waiting, " + n(k.odmitnuto) + " refused");
  radek("waiting", "at signals " + Cislo(k.naCestu, 1) + " s, unanswered " +
                       Cislo(k.naOdpoved, 1) + " s, for the line " + Cislo(k.naTrat, 1) +
                       " s, " + n(k.cekaji) + " trains waiting at the end");
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
