#include "sim/zprava.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "jadro.h"
#include "model/kodovani.h"
#include "model/seznamy.h"
#include "model/text.h"

namespace stanovar {

namespace {

std::string Cislo(double v, int mist) {
  if (!std::isfinite(v)) return "";
  char b[64];
  std::snprintf(b, sizeof b, "%.*f", mist, v);
  return b;
}

double P95(std::vector<double> x) {
  if (x.empty()) return 0;
  std::sort(x.begin(), x.end());
  const auto i = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(x.size()))) - 1;
  return x[std::min(i, x.size() - 1)];
}

// Stops before signals: a train that comes to a stand before a signal waits there until its
// next phase, route entry or departure.
class Cekani {
 public:
  explicit Cekani(BehZpravy& b) : b_(b) {}
  void operator()(Stav& s, double cas, const RUdalost& u) {
    if (u.vlak == 0 || u.druh < UdalostBrzdeni || u.druh > UdalostOdjezd) return;
    auto it = stoji_.find(u.vlak);
    if (it != stoji_.end()) {
      b_.cekani[it->second.signal] += (cas - it->second.od) * 86400.0;
      stoji_.erase(it);
    }
    if (u.druh != UdalostStalaJizda || u.hodnota1 != 0) return;
    RVlak* v = NajdiVlak(s, u.vlak);
    RNavestidlo* n = v ? NavestidloPredVlakem(s, *v) : nullptr;
    if (!n) return;
    stoji_[u.vlak] = {n->id, cas};
    ++b_.zastaveni[n->id];
  }
  // The waits still going on at the end count up to it.
  void dokonci(double konec) {
    for (const auto& [vlak, z] : stoji_) b_.cekani[z.signal] += (konec - z.od) * 86400.0;
    stoji_.clear();
  }

 private:
  struct Zastaveni {
    int signal;
    double od;
  };
  BehZpravy& b_;
  std::map<int, Zastaveni> stoji_;
};

// One run: the station loaded, the dispatcher's run observed for the waits at signals.
std::string Pust(const VolbyBehu& volby, BehZpravy& b) {
  Beh beh(volby);
  if (std::string chyba = beh.nacti(); !chyba.empty()) return chyba;
  Stav& s = beh.stav();
  Cekani cekani(b);
  s.posluchaci.poslouchej([&](Stav& st, const Oznameni& o) {
    if (o.druh == DruhOznameni::Udalost) cekani(st, o.cas, *o.udalost);
  });
  beh.spust(nullptr);
  cekani.dokonci(SimCas(s));
  b.souhrn = beh.souhrn();
  b.p95Pobytu = P95(b.souhrn.pobyty);
  return {};
}

// How the station's elements are named to its author, as the station check names them.
std::string JmenoKoleje(const RKolej& k) {
  return "track " + (k.cislo.empty() ? "#" + std::to_string(k.id) : "\"" + Cp1250NaUtf8(k.cislo) + "\"");
}

std::string NazevPrvku(Stav& s, int id) {
  const RKolej* k = NajdiPrvek(s, id);
  if (!k) return "element " + std::to_string(id);
  const auto bod = [](int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
  };
  if (JeKolej(id)) return JmenoKoleje(*k);
  return "connector " + bod(k->x1, k->y1) + "-" + bod(k->x2, k->y2);
}

std::string NazevNavestidla(Stav& s, int id) {
  const RNavestidlo* n = NajdiNavestidlo(s, id);
  if (!n) return "signal " + std::to_string(id);
  // The tracks at its point name it better than its coordinates.
  RKolej* a = KolejVBode(s, n->x, n->y);
  RKolej* b = a ? KolejVBode(s, n->x, n->y, true) : nullptr;
  if (!a) return "signal (" + std::to_string(n->x) + ", " + std::to_string(n->y) + ")";
  std::string t = "signal at " + JmenoKoleje(*a);
  if (b && b != a) t += " and " + JmenoKoleje(*b);
  return t;
}

// Colour of a share of the highest occupation: blue through yellow to red.
Barva Teplo(double podil) {
  static const int stupne[][3] = {
      {44, 123, 182}, {171, 217, 233}, {255, 255, 191}, {253, 174, 97}, {215, 25, 28}};
  podil = std::clamp(std::isfinite(podil) ? podil : 0.0, 0.0, 1.0) * 4;
  const int i = std::min(3, static_cast<int>(podil));
  const double f = podil - i;
  auto smes = [&](int c) {
    return static_cast<int>(std::lround(stupne[i][c] + (stupne[i + 1][c] - stupne[i][c]) * f));
  };
  return RGB(smes(0), smes(1), smes(2));
}

// A canvas that hands everything on, but draws the platforms and the labels in quiet greys:
// on a picture coloured by occupation, the platforms' orange would read as heat.
class TichePlatno : public Platno {
 public:
  explicit TichePlatno(Platno& p) : p_(p) {}
  int sirka() const override { return p_.sirka(); }
  int vyska() const override { return p_.vyska(); }
  void barvaPera(Barva c) override { p_.barvaPera(c == BarvaNastupiste ? Nastupiste : c); }
  void sirkaPera(int w) override { p_.sirkaPera(w); }
  void barvaVyplne(Barva c) override { p_.barvaVyplne(c == BarvaNastupiste ? Nastupiste : c); }
  void pismo(const std::string& j, int b, Barva, bool t) override { p_.pismo(j, b, Popisky, t); }
  void presun(int x, int y) override { p_.presun(x, y); }
  void cara(int x, int y) override { p_.cara(x, y); }
  void obdelnik(int l, int t, int r, int b) override { p_.obdelnik(l, t, r, b); }
  void text(int x, int y, const std::string& t, bool n) override { p_.text(x, y, t, n); }
  int sirkaTextu(const std::string& t) override { return p_.sirkaTextu(t); }

  static constexpr Barva Nastupiste = RGB(96, 96, 112);
  static constexpr Barva Popisky = RGB(32, 32, 32);

 private:
  Platno& p_;
};

// The station drawn by its own drawing operations, each track and connector in the colour of
// its occupation.
// The station loaded once already (`vzor`) gives the picture's size; it is loaded again onto
// the SVG canvas, whose drawing happens as the schema is read.
std::string Teplotni(const Stav& vzor, const std::map<int, double>& podil, double nejvic) {
  int w = 0, h = 0;
  for (const auto* seznam : {&vzor.Koleje, &vzor.Spojky})
    for (const RKolej& k : *seznam) {
      w = std::max({w, k.x1, k.x2});
      h = std::max({h, k.y1, k.y2});
    }
  for (const RSoused& so : vzor.Sousede) w = std::max(w, so.x), h = std::max(h, so.y);
  const Nastaveni& nastaveni = vzor.nastaveni;
  SvgPlatno svg(std::min(w + 30, 4000), std::min(h + 30, 4000));
  TichePlatno ticho(svg);
  VirtualniProstredi p;
  Stav s;
  s.platno = &ticho;
  s.prostredi = &p;
  s.nastaveni = nastaveni;
  NakresliStanici(s);
  for (const auto* seznam : {&s.Koleje, &s.Spojky})
    for (const RKolej& k : *seznam) {
      auto it = podil.find(k.id);
      const double f = it == podil.end() || nejvic <= 0 ? 0 : it->second / nejvic;
      KresliPrvek(s, k, Teplo(f), k.cislo);
    }
  return svg.Svg(1.5);
}

std::string Stupnice(double nejvic) {
  std::string t =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"460\" height=\"46\">\n"
      "<defs><linearGradient id=\"teplo\">\n";
  for (int i = 0; i <= 4; ++i)
    t += "<stop offset=\"" + Cislo(i / 4.0, 2) + "\" stop-color=\"" + BarvaSvg(Teplo(i / 4.0)) +
         "\"/>\n";
  t += "</linearGradient></defs>\n<rect x=\"30\" y=\"4\" width=\"400\" height=\"16\" "
       "fill=\"url(#teplo)\" stroke=\"#333\"/>\n";
  for (int i = 0; i <= 4; ++i)
    t += "<text x=\"" + std::to_string(30 + i * 100) + "\" y=\"38\" font-size=\"12\" "
         "text-anchor=\"middle\" font-family=\"sans-serif\">" +
         Cislo(nejvic * 100 * i / 4, 1) + " %</text>\n";
  return t + "</svg>\n";
}

// Trains per hour against the time in the station, one point per frequency.
std::string Graf(const std::vector<Cetnost>& c) {
  const int W = 640, H = 380, L = 70, R = 20, T = 20, B = 50;
  double xMax = 0, yMax = 0;
  for (const Cetnost& x : c) {
    xMax = std::max(xMax, x.vlakuZaHodinu);
    yMax = std::max({yMax, x.prumernyPobyt / 60, x.p95Pobytu / 60});
  }
  auto zaokrouhli = [](double v) {
    if (v <= 0) return 1.0;
    const double r = std::pow(10, std::floor(std::log10(v)));
    for (double k : {1.0, 2.0, 5.0, 10.0})
      if (v <= k * r) return k * r;
    return 10 * r;
  };
  xMax = zaokrouhli(xMax * 1.05);
  yMax = zaokrouhli(yMax * 1.05);
  auto X = [&](double v) { return L + v / xMax * (W - L - R); };
  auto Y = [&](double v) { return H - B - v / yMax * (H - T - B); };
  std::string t = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(W) +
                  "\" height=\"" + std::to_string(H) + "\" font-family=\"sans-serif\" "
                  "font-size=\"12\">\n<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
  for (int i = 0; i <= 5; ++i) {
    const double vx = xMax * i / 5, vy = yMax * i / 5;
    t += "<line x1=\"" + Cislo(X(vx), 1) + "\" y1=\"" + Cislo(Y(0), 1) + "\" x2=\"" +
         Cislo(X(vx), 1) + "\" y2=\"" + Cislo(Y(yMax), 1) + "\" stroke=\"#ddd\"/>\n";
    t += "<line x1=\"" + Cislo(X(0), 1) + "\" y1=\"" + Cislo(Y(vy), 1) + "\" x2=\"" +
         Cislo(X(xMax), 1) + "\" y2=\"" + Cislo(Y(vy), 1) + "\" stroke=\"#ddd\"/>\n";
    t += "<text x=\"" + Cislo(X(vx), 1) + "\" y=\"" + std::to_string(H - B + 18) +
         "\" text-anchor=\"middle\">" + Cislo(vx, 1) + "</text>\n";
    t += "<text x=\"" + std::to_string(L - 8) + "\" y=\"" + Cislo(Y(vy) + 4, 1) +
         "\" text-anchor=\"end\">" + Cislo(vy, 1) + "</text>\n";
  }
  t += "<text x=\"" + std::to_string((L + W - R) / 2) + "\" y=\"" + std::to_string(H - 10) +
       "\" text-anchor=\"middle\">trains through the station per hour</text>\n";
  t += "<text transform=\"translate(16," + std::to_string((T + H - B) / 2) +
       ") rotate(-90)\" text-anchor=\"middle\">time in the station, minutes</text>\n";
  const struct {
    const char* barva;
    const char* nazev;
    double Cetnost::*hodnota;
  } rady[] = {{"#2c7bb6", "mean", &Cetnost::prumernyPobyt},
              {"#d7191c", "95th percentile", &Cetnost::p95Pobytu}};
  int legenda = 0;
  for (const auto& r : rady) {
    std::string body;
    for (const Cetnost& x : c) {
      if (x.behu == 0) continue;
      body += Cislo(X(x.vlakuZaHodinu), 1) + "," + Cislo(Y(x.*r.hodnota / 60), 1) + " ";
    }
    t += std::string("<polyline fill=\"none\" stroke=\"") + r.barva + "\" stroke-width=\"2\" points=\"" +
         body + "\"/>\n";
    for (const Cetnost& x : c) {
      if (x.behu == 0) continue;
      t += std::string("<circle cx=\"") + Cislo(X(x.vlakuZaHodinu), 1) + "\" cy=\"" +
           Cislo(Y(x.*r.hodnota / 60), 1) + "\" r=\"4\" fill=\"" + r.barva + "\"><title>frequency " +
           std::to_string(x.cetnost) + ": " + Cislo(x.vlakuZaHodinu, 2) + " trains/h, " +
           r.nazev + " " + Cislo(x.*r.hodnota / 60, 1) + " min</title></circle>\n";
    }
    t += std::string("<rect x=\"") + std::to_string(L + 10) + "\" y=\"" +
         std::to_string(T + 6 + legenda * 18) + "\" width=\"12\" height=\"12\" fill=\"" + r.barva +
         "\"/><text x=\"" + std::to_string(L + 28) + "\" y=\"" +
         std::to_string(T + 16 + legenda * 18) + "\">" + r.nazev + "</text>\n";
    ++legenda;
  }
  // Each frequency's number once, beside its mean point where it covers no other number nor
  // point; where nothing is free the point's tooltip still names it.
  std::vector<std::pair<double, double>> obsazeno;
  for (const Cetnost& x : c)
    if (x.behu)
      for (double v : {x.prumernyPobyt, x.p95Pobytu}) obsazeno.push_back({X(x.vlakuZaHodinu), Y(v / 60)});
  auto volno = [&](double x, double y) {
    for (const auto& [ox, oy] : obsazeno)
      if (std::abs(ox - x) < 12 && std::abs(oy - y) < 11) return false;
    return true;
  };
  for (const Cetnost& x : c) {
    if (x.behu == 0) continue;
    const double px = X(x.vlakuZaHodinu), py = Y(x.prumernyPobyt / 60);
    // Lower left of the text, and its middle for the test of room.
    for (auto [dx, dy] : {std::pair{6.0, 16.0}, std::pair{6.0, -6.0}, std::pair{-14.0, 16.0},
                          std::pair{-14.0, -6.0}, std::pair{6.0, 28.0}}) {
      if (!volno(px + dx + 4, py + dy - 4)) continue;
      t += "<text x=\"" + Cislo(px + dx, 1) + "\" y=\"" + Cislo(py + dy, 1) +
           "\" font-size=\"10\">" + std::to_string(x.cetnost) + "</text>\n";
      obsazeno.push_back({px + dx + 4, py + dy - 4});
      break;
    }
  }
  return t + "</svg>\n";
}

std::string Bunka(const std::string& t, bool cislo = false) {
  return std::string(cislo ? "<td class=\"n\">" : "<td>") + XmlText(t) + "</td>";
}

}  // namespace

std::vector<Cetnost> PodleCetnosti(const std::vector<BehZpravy>& behy, bool jednoduchy) {
  std::map<int, Cetnost> m;
  std::map<int, double> hodin, odjelo, vazenePobyty, p95, body;
  std::map<int, int> sP95;
  for (const BehZpravy& b : behy) {
    if (b.jednoduchy != jednoduchy) continue;
    Cetnost& c = m[b.cetnost];
    c.cetnost = b.cetnost;
    ++c.behu;
    const SouhrnBehu& r = b.souhrn;
    hodin[b.cetnost] += b.hodin;
    odjelo[b.cetnost] += static_cast<double>(r.odjelo);
    vazenePobyty[b.cetnost] += r.prumernyPobyt * static_cast<double>(r.odjelo);
    if (r.odjelo > 0) {
      p95[b.cetnost] += b.p95Pobytu;
      ++sP95[b.cetnost];
    }
    c.nabidnuto += r.nabidnuto;
    c.prijato += r.prijato;
    c.odmitnuto += r.odmitnuto;
    c.cekaNaOdpoved += r.cekaNaOdpoved;
    c.poruchVypoctu += r.poruchVypoctu;
    body[b.cetnost] += static_cast<double>(r.skore.body);
  }
  std::vector<Cetnost> v;
  for (auto& [f, c] : m) {
    c.body = body[f] / c.behu;
    c.vlakuZaHodinu = hodin[f] > 0 ? odjelo[f] / hodin[f] : 0;
    c.prumernyPobyt = odjelo[f] > 0 ? vazenePobyty[f] / odjelo[f] : 0;
    c.p95Pobytu = sP95[f] > 0 ? p95[f] / sP95[f] : 0;
    v.push_back(c);
  }
  return v;
}

std::string VytvorZpravu(const VolbyZpravy& v, const std::function<void(int, int)>& prubeh,
                         std::vector<BehZpravy>* ven) {
  namespace fs = std::filesystem;
  // The station once, to know that it can be read and how to draw it.
  Beh vzor(v.beh);
  if (std::string chyba = vzor.nacti(); !chyba.empty()) return chyba;
  std::error_code ec;
  fs::create_directories(v.adresar, ec);
  if (!fs::is_directory(v.adresar, ec)) return "cannot make the folder " + v.adresar;

  std::vector<BehZpravy> behy;
  for (bool jednoduchy : {false, true})
    for (int f = v.cetnostOd; f <= v.cetnostDo; ++f)
      for (std::uint64_t seed = v.seedOd; seed <= v.seedDo; ++seed) {
        BehZpravy& b = behy.emplace_back();
        b.seed = static_cast<std::uint32_t>(seed);
        b.cetnost = f;
        b.jednoduchy = jednoduchy;
        b.hodin = v.beh.hodin;
      }

  // Every run is its own simulator: the core has no globals, so they run side by side.
  std::atomic<std::size_t> dalsi{0};
  std::atomic<int> hotovo{0};
  std::mutex zamek;
  std::string chyba;
  auto pracuj = [&] {
    for (std::size_t i; (i = dalsi++) < behy.size();) {
      VolbyBehu volby = v.beh;
      volby.seed = behy[i].seed;
      volby.cetnost = behy[i].cetnost;
      volby.kontrola = false;
      volby.dispecer = true;
      volby.nahodny = false;
      volby.jednoduchy = behy[i].jednoduchy;
      if (std::string c = Pust(volby, behy[i]); !c.empty()) {
        std::lock_guard<std::mutex> z(zamek);
        if (chyba.empty()) chyba = c;
      }
      ++hotovo;
    }
  };
  unsigned vlaken = v.vlaken ? v.vlaken : std::max(1u, std::thread::hardware_concurrency());
  vlaken = static_cast<unsigned>(std::min<std::size_t>(vlaken, std::max<std::size_t>(behy.size(), 1)));
  std::vector<std::thread> vlakna;
  for (unsigned i = 0; i < vlaken; ++i) vlakna.emplace_back(pracuj);
  const int celkem = static_cast<int>(behy.size());
  while (hotovo < celkem) {
    if (prubeh) prubeh(hotovo, celkem);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  for (std::thread& t : vlakna) t.join();
  if (prubeh) prubeh(celkem, celkem);
  if (!chyba.empty()) return chyba;

  // runs.csv: one line per run, the figures of its summary.
  std::ostringstream csv;
  csv << "seed,frequency,hours,entered,left,in_station,offers,accepted,refused,unanswered,"
         "mean_stay_s,p95_stay_s,max_stay_s,calculation_faults,trains_per_hour,dispatcher,"
         "points\n";
  for (const BehZpravy& b : behy) {
    const SouhrnBehu& r = b.souhrn;
    csv << b.seed << ',' << b.cetnost << ',' << Cislo(b.hodin, 3) << ',' << r.vjelo << ','
        << r.odjelo << ',' << r.veStanici << ',' << r.nabidnuto << ',' << r.prijato << ','
        << r.odmitnuto << ',' << r.cekaNaOdpoved << ',' << Cislo(r.prumernyPobyt, 1) << ','
        << Cislo(b.p95Pobytu, 1) << ',' << Cislo(r.nejdelsiPobyt, 1) << ',' << r.poruchVypoctu
        << ',' << Cislo(b.hodin > 0 ? static_cast<double>(r.odjelo) / b.hodin : 0, 3) << ','
        << (b.jednoduchy ? "simple" : "auto") << ',' << r.skore.body << '\n';
  }

  // Occupation and waits over the automatic dispatcher's runs.
  double hodinCelkem = 0;
  std::size_t behuAuto = 0;
  std::map<int, double> obsazeno, cekani;
  std::map<int, long long> zastaveni, vjezdy;
  for (const BehZpravy& b : behy) {
    if (b.jednoduchy) continue;
    ++behuAuto;
    hodinCelkem += b.hodin;
    for (const auto& [id, sekund] : b.souhrn.obsazenoPrvku) obsazeno[id] += sekund;
    for (const auto& [id, sekund] : b.cekani) cekani[id] += sekund;
    for (const auto& [id, n] : b.zastaveni) zastaveni[id] += n;
  }
  std::map<int, double> podil;  // share of the time occupied
  double nejvic = 0;
  for (const auto& [id, sekund] : obsazeno) {
    podil[id] = hodinCelkem > 0 ? sekund / (hodinCelkem * 3600) : 0;
    nejvic = std::max(nejvic, podil[id]);
  }
  const std::vector<Cetnost> cetnosti = PodleCetnosti(behy);
  const std::vector<Cetnost> jednoduchy = PodleCetnosti(behy, true);
  Stav& s = vzor.stav();
  const std::string stanice = JmenoSouboru(s.nastaveni.cestaSchema);

  std::string h;
  h += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Capacity "
       "of " + XmlText(stanice) + "</title>\n<style>\n"
       "body{font-family:sans-serif;margin:24px;color:#222;max-width:1400px}\n"
       "table{border-collapse:collapse;margin:8px 0 24px}td,th{border:1px solid #bbb;"
       "padding:3px 8px}th{background:#eee}td.n{text-align:right}\n"
       "figure{margin:8px 0 24px}figcaption{color:#555;font-size:90%}\n</style>\n</head>\n<body>\n";
  h += "<h1>Capacity of the station " + XmlText(stanice) + "</h1>\n";
  h += "<p>" + std::to_string(behuAuto) + " runs of " + Cislo(v.beh.hodin, 2) +
       " simulated hours with the automatic dispatcher: seeds " + std::to_string(v.seedOd) + " to " +
       std::to_string(v.seedDo) + " at train frequencies " + std::to_string(v.cetnostOd) + " to " +
       std::to_string(v.cetnostDo) + "; and as many with the simple dispatcher, for comparison. "
       "The figures of each run are in runs.csv.</p>\n";

  h += "<h2>Trains through the station and their time in it</h2>\n<figure>\n" + Graf(cetnosti) +
       "<figcaption>One point per frequency: the trains that left per hour, and the mean and "
       "95th-percentile time from hand-over to departure (the percentile is the mean of the "
       "runs' own); the small numbers are the frequencies.</figcaption>\n</figure>\n";
  h += "<table>\n<tr><th>frequency</th><th>runs</th><th>trains per hour</th><th>mean time in "
       "station, s</th><th>95th percentile, s</th><th>offers made</th><th>accepted</th><th>"
       "refused</th><th>unanswered at the end</th><th>calculation faults</th><th>points per "
       "run</th></tr>\n";
  for (const Cetnost& c : cetnosti)
    h += "<tr>" + Bunka(std::to_string(c.cetnost), true) + Bunka(std::to_string(c.behu), true) +
         Bunka(Cislo(c.vlakuZaHodinu, 2), true) + Bunka(Cislo(c.prumernyPobyt, 1), true) +
         Bunka(Cislo(c.p95Pobytu, 1), true) + Bunka(std::to_string(c.nabidnuto), true) +
         Bunka(std::to_string(c.prijato), true) + Bunka(std::to_string(c.odmitnuto), true) +
         Bunka(std::to_string(c.cekaNaOdpoved), true) +
         Bunka(std::to_string(c.poruchVypoctu), true) + Bunka(Cislo(c.body, 0), true) + "</tr>\n";
  h += "</table>\n";

  // The same runs under the simple dispatcher, side by side: what the station gives is also
  // what its dispatcher makes of it.
  h += "<h3>The automatic dispatcher against the simple one</h3>\n<table>\n<tr><th>"
       "frequency</th><th>trains per hour, automatic</th><th>trains per hour, simple</th><th>"
       "points per run, automatic</th><th>points per run, simple</th><th>refused, automatic"
       "</th><th>refused, simple</th></tr>\n";
  for (const Cetnost& c : cetnosti)
    for (const Cetnost& j : jednoduchy)
      if (j.cetnost == c.cetnost)
        h += "<tr>" + Bunka(std::to_string(c.cetnost), true) +
             Bunka(Cislo(c.vlakuZaHodinu, 2), true) + Bunka(Cislo(j.vlakuZaHodinu, 2), true) +
             Bunka(Cislo(c.body, 0), true) + Bunka(Cislo(j.body, 0), true) +
             Bunka(std::to_string(c.odmitnuto), true) + Bunka(std::to_string(j.odmitnuto), true) +
             "</tr>\n";
  h += "</table>\n";

  h += "<h2>Where the station is busy</h2>\n<figure>\n" +
       Teplotni(s, podil, nejvic) + Stupnice(nejvic) +
       "<figcaption>Each track and connector coloured by the share of the time it was "
       "occupied, over all runs; the scale runs up to the busiest element.</figcaption>\n"
       "</figure>\n";

  std::vector<std::pair<double, int>> poradi;
  for (const auto& [id, f] : podil) poradi.push_back({-f, id});
  std::sort(poradi.begin(), poradi.end());
  h += "<h3>The busiest elements</h3>\n<table>\n<tr><th>element</th><th>occupied</th>"
       "<th>hours occupied per run</th></tr>\n";
  for (std::size_t i = 0; i < poradi.size() && i < 12; ++i) {
    const int id = poradi[i].second;
    h += "<tr>" + Bunka(NazevPrvku(s, id)) + Bunka(Cislo(podil[id] * 100, 1) + " %", true) +
         Bunka(Cislo(obsazeno[id] / 3600 / static_cast<double>(behuAuto), 2), true) + "</tr>\n";
  }
  h += "</table>\n";

  std::vector<std::pair<double, int>> signaly;
  for (const auto& [id, sekund] : cekani) signaly.push_back({-sekund, id});
  std::sort(signaly.begin(), signaly.end());
  h += "<h3>Signals where trains waited longest</h3>\n";
  if (signaly.empty()) {
    h += "<p>No train stood before a signal.</p>\n";
  } else {
    h += "<table>\n<tr><th>signal</th><th>stops per run</th><th>minutes waited per run</th>"
         "<th>mean wait, s</th></tr>\n";
    for (std::size_t i = 0; i < signaly.size() && i < 12; ++i) {
      const int id = signaly[i].second;
      const double n = static_cast<double>(zastaveni[id]);
      h += "<tr>" + Bunka(NazevNavestidla(s, id)) +
           Bunka(Cislo(n / static_cast<double>(behuAuto), 1), true) +
           Bunka(Cislo(cekani[id] / 60 / static_cast<double>(behuAuto), 1), true) +
           Bunka(Cislo(n > 0 ? cekani[id] / n : 0, 1), true) + "</tr>\n";
    }
    h += "</table>\n";
  }

  h += "<h3>Refused or unanswered offers, and calculation faults</h3>\n";
  std::string vadne;
  for (const BehZpravy& b : behy) {
    const SouhrnBehu& r = b.souhrn;
    if (b.jednoduchy || (r.odmitnuto == 0 && r.cekaNaOdpoved == 0 && r.poruchVypoctu == 0))
      continue;
    vadne += "<tr>" + Bunka(std::to_string(b.seed), true) + Bunka(std::to_string(b.cetnost), true) +
             Bunka(std::to_string(r.odmitnuto), true) + Bunka(std::to_string(r.cekaNaOdpoved), true) +
             Bunka(std::to_string(r.poruchVypoctu), true) + "</tr>\n";
  }
  if (vadne.empty())
    h += "<p>Every offer was accepted, and no calculation failed.</p>\n";
  else
    h += "<table>\n<tr><th>seed</th><th>frequency</th><th>refused</th><th>unanswered at the "
         "end</th><th>calculation faults</th></tr>\n" + vadne + "</table>\n";
  h += "</body>\n</html>\n";

  // Each file is written whole beside its place and then put there, so that a report that
  // fails part way leaves the old one as it was.
  for (const auto& [jmeno, obsah] : {std::pair{"index.html", h}, std::pair{"runs.csv", csv.str()}}) {
    const fs::path cil = fs::path(v.adresar) / jmeno;
    const fs::path docasny = fs::path(v.adresar) / (std::string(".") + jmeno + ".novy");
    {
      std::ofstream o(docasny, std::ios::binary | std::ios::trunc);
      o << obsah;
      o.flush();
      if (!o) return "cannot write " + docasny.string();
    }
    fs::rename(docasny, cil, ec);
    if (ec) return "cannot write " + cil.string() + ": " + ec.message();
  }
  if (ven) *ven = std::move(behy);
  return {};
}

}  // namespace stanovar
