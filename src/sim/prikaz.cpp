#include "sim/prikaz.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "jadro.h"
#include "sim/beh.h"
#include "sim/hostitel.h"
#include "sim/sit_beh.h"
#include "spojeni/spojeni.h"

#include "sim/zprava.h"
#include "smena/smena.h"

namespace stanovar {

namespace {

constexpr const char* Program = "stanovar-sim";
// About eleven years: far beyond any useful run, and still a finite loop.
constexpr double NejviceHodin = 100000;

constexpr const char* Popis =
    "Runs a station without a window, as fast as the simulation allows: trains come from the "
    "neighbour stations as in the program, an automatic dispatcher answers the offers and "
    "sets the routes by the same clicks a person makes, and every executed event can be "
    "written to a log. The same files, seed and options always give the same log.";

constexpr const char* Poznamky =
    "Log (--log): CSV with the header time_s,kind,train,element,value1,value2; one executed "
    "event per line; time_s is simulated seconds since the start of the run, kind the event "
    "kind 1..10 (1 element occupied, 2 released, 3 braking, 4 accelerating or coasting, 5 "
    "steady running, 6 route entered, 7 train left, 8 generation, 9 turned train may set off, "
    "10 braking deceleration), element the element or signal identifier, value1 a speed in m/s "
    "or a deceleration in m/s2, value2 a position in metres.\n\n"
    "Summary: trains entered, left and still in the station; offers made, accepted, refused "
    "and unanswered; routes set, stored and cancelled by the dispatcher; mean and longest "
    "time in the station of the trains that left; the busiest element, which is the one that "
    "train heads entered most often (ties go to the one occupied longer); calculation fault "
    "reports; events executed; wall time and simulated seconds per wall second.\n\n"
    "The run starts at 6:00 simulated time of day. Exit codes: 0 the run went through, 1 an "
    "invariant was violated (with --check), 2 a bad command line or station files that "
    "cannot be read, or a save that cannot be resumed (damaged, of another version, or of "
    "station files that are gone or changed).";

// A positive, finite number of hours, read the same whatever the locale.
std::string KladneHodiny(std::string& t) {
  double v = 0;
  const char* konec = t.data() + t.size();
  const auto [p, ec] = std::from_chars(t.data(), konec, v);
  if (ec != std::errc() || p != konec || !std::isfinite(v) || v <= 0)
    return "must be a positive number of hours, not '" + t + "'";
  if (v > NejviceHodin) return "must be at most " + std::to_string(static_cast<long>(NejviceHodin));
  return {};
}

// A whole number 0..2^32-1.
std::string PlatnySeed(std::string& t) {
  std::uint64_t v = 0;
  const char* konec = t.data() + t.size();
  const auto [p, ec] = std::from_chars(t.data(), konec, v);
  if (ec != std::errc() || p != konec || t.empty() || v > 4294967295u)
    return "must be a whole number from 0 to 4294967295, not '" + t + "'";
  return {};
}

// A range "A-B" (or one number "A") of whole numbers within lo..hi.
bool Rozsah(const std::string& t, std::uint64_t lo, std::uint64_t hi, std::uint64_t& od,
            std::uint64_t& po) {
  const char* z = t.data();
  const char* k = z + t.size();
  auto [p, ec] = std::from_chars(z, k, od);
  if (ec != std::errc() || p == z) return false;
  po = od;
  if (p != k) {
    if (*p != '-') return false;
    const char* q = p + 1;
    auto [p2, ec2] = std::from_chars(q, k, po);
    if (ec2 != std::errc() || p2 != k || p2 == q) return false;
  }
  return lo <= od && od <= po && po <= hi;
}

std::string RozsahSeedu(std::string& t) {
  std::uint64_t a, b;
  if (!Rozsah(t, 0, 4294967295u, a, b))
    return "must be seeds A-B (0 to 4294967295, A not above B), not '" + t + "'";
  if (b - a >= 100000) return "must span fewer than 100000 seeds";
  return {};
}

std::string RozsahCetnosti(std::string& t) {
  std::uint64_t a, b;
  if (!Rozsah(t, 1, 8, a, b)) return "must be frequencies A-B (1 to 8, A not above B), not '" + t + "'";
  return {};
}

// A frequency as the keys set it.
std::string PlatnaCetnost(std::string& t) {
  int v = 0;
  const char* konec = t.data() + t.size();
  const auto [p, ec] = std::from_chars(t.data(), konec, v);
  if (ec != std::errc() || p != konec || t.empty() || v < 1 || v > 8)
    return "must be a whole number from 1 to 8, not '" + t + "'";
  return {};
}

// A bar on one line of the terminal, redrawn at most ten times a second, and only once the
// run has taken a second: short runs leave the terminal as it was.
class Prubeh {
 public:
  Prubeh(std::ostream& err, double hodin) : err_(err), hodin_(hodin) {}
  void operator()(double podil) {
    const auto ted = std::chrono::steady_clock::now();
    if (ted - zacatek_ < std::chrono::seconds(1) ||
        ted - naposledy_ < std::chrono::milliseconds(100))
      return;
    naposledy_ = ted;
    podil = std::clamp(podil, 0.0, 1.0);
    const int plnych = static_cast<int>(podil * Sirka);
    char b[128];
    std::snprintf(b, sizeof b, "\r[%s%s] %3d%%  %.1f of %.1f h", std::string(plnych, '#').c_str(),
                  std::string(Sirka - plnych, '.').c_str(), static_cast<int>(podil * 100),
                  podil * hodin_, hodin_);
    err_ << b << std::flush;
    kresleno_ = true;
  }
  // The same bar for runs done of many.
  void behy(int hotovo, int celkem) {
    const auto ted = std::chrono::steady_clock::now();
    if (ted - zacatek_ < std::chrono::seconds(1) ||
        (ted - naposledy_ < std::chrono::milliseconds(100) && hotovo < celkem))
      return;
    naposledy_ = ted;
    const double podil = celkem > 0 ? static_cast<double>(hotovo) / celkem : 1;
    const int plnych = static_cast<int>(podil * Sirka);
    char b[128];
    std::snprintf(b, sizeof b, "\r[%s%s] %3d%%  %d of %d runs", std::string(plnych, '#').c_str(),
                  std::string(Sirka - plnych, '.').c_str(), static_cast<int>(podil * 100), hotovo,
                  celkem);
    err_ << b << std::flush;
    kresleno_ = true;
  }
  ~Prubeh() {
    if (kresleno_) err_ << '\r' << std::string(Sirka + 30, ' ') << '\r' << std::flush;
  }

 private:
  static constexpr int Sirka = 40;
  std::ostream& err_;
  double hodin_;
  std::chrono::steady_clock::time_point zacatek_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point naposledy_{};
  bool kresleno_ = false;
};

}  // namespace

int SpustPrikaz(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                bool terminal) {
  CLI::App app(Popis, Program);
  app.footer(Poznamky);
  VolbyBehu v;
  std::uint64_t seed = 0;
  std::string log, souhrn = "text";
  app.add_option("station", v.stanice,
                 "folder holding stanovar.ini, or a settings file of any name; relative file "
                 "names in it are taken from its folder")
      ->type_name("FOLDER_OR_INI");
  app.add_option("--schema", v.schema, "station schema file (.yrd), instead of the settings file's")
      ->type_name("FILE");
  app.add_option("--timetable", v.grafikon,
                 "timetable file (.gvd), instead of the settings file's")
      ->type_name("FILE");
  app.add_option("--locomotives", v.lokomotivy,
                 "locomotive file (.lok), instead of the settings file's")
      ->type_name("FILE");
  app.add_option("--language", v.jazyk, "language file (.lng), instead of the settings file's")
      ->type_name("FILE");
  app.add_option("--hours", v.hodin, "simulated hours to run (default 24)")
      ->type_name("H")
      ->check(CLI::Validator(KladneHodiny, ""));
  app.add_option("--seed", seed, "varies the trains between runs, 0 to 4294967295 (default 0)")
      ->type_name("N")
      ->check(CLI::Validator(PlatnySeed, ""));
  app.add_option("--frequency", v.cetnost, "train frequency 1 (rare) to 8 (frequent), default 4")
      ->type_name("1..8")
      ->check(CLI::Validator(PlatnaCetnost, ""));
  app.add_option("--log", log,
                 "write every executed event to FILE as CSV ('-' for standard output)")
      ->type_name("FILE");
  app.add_option("--summary", souhrn, "summary format: text (default) or json")
      ->type_name("json|text")
      ->check(CLI::IsMember({"json", "text"}).description(""));
  app.add_flag("--check", v.kontrola,
               "check every invariant after every event; stop at the first violation, name it "
               "and the seed, and exit with 1");
  std::string dispecer = "auto";
  app.add_option("--dispatcher", dispecer,
                 "who dispatches: auto (default) plans each train's track and routes ahead and "
                 "answers every offer it can take; simple, the earlier automatic dispatcher, "
                 "which reacts to what it sees, for comparison; random clicks and presses keys "
                 "at random, as a careless person might, seeded by --seed, while auto does the "
                 "everyday work; none sets nothing")
      ->type_name("auto|simple|random|none")
      ->check(CLI::IsMember({"auto", "simple", "random", "none"}).description(""));
  bool bezDispecera = false;
  app.add_flag("--no-dispatcher", bezDispecera,
               "the same as --dispatcher none: offers stay unanswered and no route is set, so "
               "only trains from arrivals-only lines move, up to their first signal");

  std::string ulozit, obnovit;
  app.add_option("--save", ulozit,
                 "at the end of the run, save the whole state to FILE (written whole or not at "
                 "all), to go on later with --resume")
      ->type_name("FILE");
  app.add_option("--resume", obnovit,
                     "go on from a state saved with --save for --hours more hours, exactly as "
                     "the first run would have gone on: its log holds only the events after the "
                     "save, timed from the first run's start, and its summary counts both parts; "
                     "the station, seed and dispatcher are the saved ones (--dispatcher replaces "
                     "the dispatcher)")
          ->type_name("FILE");
  std::string sit;
  app.add_option("--network", sit,
                 "run a network of linked stations (a network file, see README): every station "
                 "dispatched as --dispatcher says, all on one clock; --log names a folder that "
                 "gets one log per station, and the summary adds every line's trains sent, "
                 "received and still on the line")
      ->type_name("NET.json");
  std::vector<std::string> dispeceriStanic;
  app.add_option("--station-dispatcher", dispeceriStanic,
                 "with --network: the dispatcher of one station (NAME=auto|simple|random|none) "
                 "instead of --dispatcher; may be given for several stations")
      ->type_name("NAME=KIND");
  std::string sluzba, pripojit, stanice, token, klic;
  double rychlost = 1;
  bool lockstep = false;
  int hracu = 0;
  long long odpojitPo = 0;
  int odpojeni = 0;
  auto* volbaSluzby =
      app.add_option("--serve", sluzba,
                     "with --network: host the network for players over the network (WebSocket, "
                     "see README) on [ADDRESS:]PORT, 127.0.0.1 unless an address is given; "
                     "stations nobody plays are dispatched as --dispatcher says")
          ->type_name("[ADDRESS:]PORT");
  app.add_option("--speed", rychlost,
                 "with --serve: simulated seconds per wall second, 0 (paused) to 6, as the "
                 "program's speeds (default 1); the host never waits for a player")
      ->type_name("F")
      ->check(CLI::Range(0.0, 6.0).description(""))
      ->needs(volbaSluzby);
  app.add_flag("--lockstep", lockstep,
               "with --serve: the clock moves on only when every player has answered its last "
               "step, as fast as they answer; the run then equals the same network run in one "
               "process with the same dispatchers")
      ->needs(volbaSluzby);
  app.add_option("--control-key", klic,
                 "with --serve: whoever joins and gives this key may set the clock's speed (the "
                 "program's window that hosts does)")
      ->type_name("K")
      ->needs(volbaSluzby);
  app.add_option("--players", hracu, "with --serve: the players to wait for before the clock starts")
      ->type_name("N")
      ->check(CLI::Range(0, 1000).description(""))
      ->needs(volbaSluzby);
  app.add_option("--token", token, "with --serve: a player must give this token to join; with --join: the token to give")
      ->type_name("T");
  auto* volbaPripojeni =
      app.add_option("--join", pripojit,
                     "play a station of a network hosted with --serve at HOST:PORT, headless: "
                     "--station names it, --dispatcher (auto or random, with --seed) decides; "
                     "exits 0 when the host ends the run, 2 when it cannot join, 3 when the "
                     "connection is lost")
          ->type_name("HOST:PORT");
  app.add_option("--station", stanice, "with --join: the station to play, by its name in the network file")
      ->type_name("NAME")
      ->needs(volbaPripojeni);
  app.add_option("--drop-after", odpojitPo, "with --join, for tests: drop the connection after N steps and join again")
      ->type_name("N")
      ->needs(volbaPripojeni)
      ->group("");
  app.add_option("--drops", odpojeni, "with --drop-after: how many times (default 1)")
      ->type_name("N")
      ->needs(volbaPripojeni)
      ->group("");
  std::string akce;
  app.add_option("--actions", akce,
                 "play a person's inputs from FILE while the run goes: CSV with the header "
                 "time_s,input,x,y, one input a line in time order; time_s on the log's scale; "
                 "input left, right or middle (a mouse-down at picture pixel x,y), key:NAME "
                 "(F1 F2 F3 F5 A N Up Down Left Right, the cursor at x,y), yes or no (the "
                 "accept panel's answers) or offer (the offer on line track x asked for). An input is given "
                 "after every event logged at or before its time and before any later one, at "
                 "the instant of the last event when logged in its millisecond. With --resume, "
                 "the inputs the first part gave are passed over")
      ->type_name("FILE");
  std::string zprava, seedy = "1-10", cetnosti = "1-8";
  auto* volbaZpravy =
      app.add_option("--report", zprava,
                     "capacity report: run the station for every seed at every frequency with "
                     "the automatic dispatcher and again with the simple one for comparison, "
                     "all runs at once on every core, and write "
                     "DIR/index.html and DIR/runs.csv")
          ->type_name("DIR");
  app.add_option("--seeds", seedy, "seeds of the report (default 1-10)")
      ->type_name("A-B")
      ->check(CLI::Validator(RozsahSeedu, ""))
      ->needs(volbaZpravy);
  app.add_option("--frequencies", cetnosti, "train frequencies of the report (default 1-8)")
      ->type_name("A-B")
      ->check(CLI::Validator(RozsahCetnosti, ""))
      ->needs(volbaZpravy);
  unsigned vlaken = 0;
  app.add_option("--threads", vlaken,
                 "runs of the report at once, each on a thread of its own (default: one per "
                 "core)")
      ->type_name("N")
      ->check(CLI::Range(1u, 1024u).description(""))
      ->needs(volbaZpravy);

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e, out, err) == 0 ? KodProbehl : KodSpatneVolani;
  } catch (const CLI::ParseError& e) {
    err << Program << ": " << e.what() << " (see --help)\n";
    return KodSpatneVolani;
  }
  v.seed = static_cast<std::uint32_t>(seed);
  v.dispecer = !bezDispecera && dispecer != "none";
  v.nahodny = v.dispecer && dispecer == "random";
  v.jednoduchy = v.dispecer && dispecer == "simple";
  if (!obnovit.empty() && (!v.stanice.empty() || !v.schema.empty() || !v.grafikon.empty())) {
    err << Program << ": --resume takes the station from the save: give no station (see --help)\n";
    return KodSpatneVolani;
  }
  v.snimek = !ulozit.empty();
  const bool dispecerZadan =
      app.get_option("--dispatcher")->count() > 0 || app.get_option("--no-dispatcher")->count() > 0;
  std::string textObnovy;
  if (!obnovit.empty() && CtiSoubor(obnovit, textObnovy) != Nacteni::Precteno) {
    err << Program << ": " << PopisChyby({ChybaUlozeni::NelzeCist, obnovit}) << "\n";
    return KodSpatneVolani;
  }
  if (!pripojit.empty()) {
    VolbyHrace h;
    if (!spojeni::RozdelAdresu(pripojit, h.host, h.port) || h.host.empty() || h.port == 0) {
      err << Program << ": --join needs HOST:PORT, not '" << pripojit << "'\n";
      return KodSpatneVolani;
    }
    if (stanice.empty() || !sit.empty() || !sluzba.empty() || !v.stanice.empty() || (dispecer != "auto" && dispecer != "random")) {
      err << Program << ": --join needs --station, a dispatcher auto or random, and no station or network of its own (see --help)\n";
      return KodSpatneVolani;
    }
    h.stanice = stanice;
    h.token = token;
    h.dispecer = dispecer;
    h.seedZadan = app.get_option("--seed")->count() > 0;
    h.seed = v.seed;
    h.odpojitPo = odpojitPo;
    h.odpojeni = odpojitPo > 0 ? std::max(odpojeni, 1) : 0;
    return Hraj(h, err);
  }
  if (!sit.empty() || BehSite::JeUlozeniSite(textObnovy)) {
    if (!v.stanice.empty() || !v.schema.empty() || !v.grafikon.empty() || !zprava.empty() ||
        !akce.empty() || (!sit.empty() && !obnovit.empty())) {
      err << Program << ": a network takes its stations from its file (or its save): give no "
                        "station, --report, --actions or second network (see --help)\n";
      return KodSpatneVolani;
    }
    BehSite behy(v);
    for (const std::string& d : dispeceriStanic) {
      const auto rovno = d.rfind('=');
      if (rovno == std::string::npos) {
        err << Program << ": --station-dispatcher needs NAME=KIND, not '" << d << "'\n";
        return KodSpatneVolani;
      }
      behy.dispeceri[d.substr(0, rovno)] = d.substr(rovno + 1);
    }
    if (const std::string chyba = sit.empty() ? behy.obnov(textObnovy, dispecerZadan) : behy.nacti(sit);
        !chyba.empty()) {
      err << Program << ": " << chyba << "\n";
      return KodSpatneVolani;
    }
    std::unique_ptr<Hostitel> hostitel;
    static volatile std::sig_atomic_t zastavit = 0;
    if (!sluzba.empty()) {
      VolbyHostitele h;
      h.token = token;
      h.lockstep = lockstep;
      h.rychlost = rychlost;
      h.klic = klic;
      h.hracu = hracu;
      h.zastavit = &zastavit;
      if (!spojeni::RozdelAdresu(sluzba, h.adresa, h.port)) {
        err << Program << ": --serve needs [ADDRESS:]PORT, not '" << sluzba << "'\n";
        return KodSpatneVolani;
      }
      hostitel = std::make_unique<Hostitel>(behy, h, err);
      if (const std::string c = hostitel->poslouchej(); !c.empty()) {
        err << Program << ": " << c << "\n";
        return KodSpatneVolani;
      }
      err << "listening on " << h.adresa << ":" << hostitel->port() << "\n";
      err.flush();
      behy.ucastnici = hostitel.get();
      std::signal(SIGINT, [](int) { zastavit = 1; });
      std::signal(SIGTERM, [](int) { zastavit = 1; });
    }
    std::string chyba;
    const bool ok = behy.spust(log, chyba);
    if (hostitel) hostitel->konec(zastavit ? "closed" : ok ? "hours" : "violation");
    if (!chyba.empty()) {
      err << Program << ": " << chyba << "\n";
      return KodSpatneVolani;
    }
    if (!ulozit.empty() && !ZapisCely(ulozit, behy.snimek())) {
      err << Program << ": cannot write the save " << ulozit << "\n";
      return KodSpatneVolani;
    }
    out << (souhrn == "json" ? behy.souhrnJson() : behy.souhrnText());
    if (!ok) {
      err << Program << ": invariant violated: " << behy.poruseni() << " (seed " << v.seed << ")\n";
      return KodPoruseni;
    }
    return KodProbehl;
  }
  if (obnovit.empty() && v.stanice.empty() && (v.schema.empty() || v.grafikon.empty())) {
    err << Program
        << ": no station: give FOLDER_OR_INI, or --schema and --timetable (see --help)\n";
    return KodSpatneVolani;
  }

  if (!akce.empty()) {
    std::ifstream f(akce, std::ios::binary);
    std::stringstream text;
    if (f.is_open()) text << f.rdbuf();
    if (!f.is_open() || f.bad()) {
      err << Program << ": cannot read actions file " << akce << "\n";
      return KodSpatneVolani;
    }
    if (const std::string chyba = CtiVstupy(text.str(), v.vstupy); !chyba.empty()) {
      err << Program << ": actions file " << akce << ", " << chyba << "\n";
      return KodSpatneVolani;
    }
  }

  if (!zprava.empty()) {
    if (!akce.empty()) {
      err << Program << ": --report makes many runs and cannot play --actions\n";
      return KodSpatneVolani;
    }
    if (!obnovit.empty() || !ulozit.empty()) {
      err << Program << ": --report makes many runs and cannot --save or --resume one\n";
      return KodSpatneVolani;
    }
    VolbyZpravy z;
    z.beh = v;
    z.adresar = zprava;
    z.vlaken = vlaken;
    std::uint64_t a, b;
    Rozsah(seedy, 0, 4294967295u, a, b);
    z.seedOd = static_cast<std::uint32_t>(a), z.seedDo = static_cast<std::uint32_t>(b);
    Rozsah(cetnosti, 1, 8, a, b);
    z.cetnostOd = static_cast<int>(a), z.cetnostDo = static_cast<int>(b);
    std::string chyba;
    {
      Prubeh prubeh(err, 1);
      std::function<void(int, int)> hlas;
      if (terminal) hlas = [&](int hotovo, int celkem) { prubeh.behy(hotovo, celkem); };
      chyba = VytvorZpravu(z, hlas);
    }
    if (!chyba.empty()) {
      err << Program << ": " << chyba << "\n";
      return KodSpatneVolani;
    }
    out << "report written to " << (std::filesystem::path(zprava) / "index.html").string() << "\n";
    return KodProbehl;
  }

  Beh beh(v);
  if (const std::string chyba = obnovit.empty() ? beh.nacti() : beh.obnovZTextu(textObnovy, dispecerZadan);
      !chyba.empty()) {
    err << Program << ": " << chyba << "\n";
    return KodSpatneVolani;
  }

  std::ofstream soubor;
  std::ostream* zaznam = nullptr;
  if (log == "-") {
    zaznam = &out;
  } else if (!log.empty()) {
    soubor.open(log, std::ios::binary | std::ios::trunc);
    if (!soubor) {
      err << Program << ": cannot write log file " << log << "\n";
      return KodSpatneVolani;
    }
    zaznam = &soubor;
  }

  bool ok;
  {
    Prubeh prubeh(err, v.hodin);
    ok = terminal ? beh.spust(zaznam, std::ref(prubeh)) : beh.spust(zaznam);
  }
  if (soubor.is_open()) {
    soubor.close();
    if (!soubor) {
      err << Program << ": writing log file " << log << " failed\n";
      return KodSpatneVolani;
    }
  }

  if (!ulozit.empty() && !ZapisCely(ulozit, beh.snimek())) {
    err << Program << ": cannot write the save " << ulozit << "\n";
    return KodSpatneVolani;
  }

  // The summary goes where the log does not.
  std::ostream& kam = zaznam == &out ? err : out;
  kam << (souhrn == "json" ? SouhrnJson(beh) : SouhrnText(beh));
  if (!ok) {
    const SouhrnBehu& r = beh.souhrn();
    char b[64];
    std::snprintf(b, sizeof b, "%.3f", r.casPoruseni);
    err << Program << ": invariant violated " << b << " simulated seconds into the run: "
        << r.poruseni << " (seed " << v.seed << ")\n";
    return KodPoruseni;
  }
  return KodProbehl;
}

}  // namespace stanovar
