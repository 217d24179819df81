// The simple automatic dispatcher: it reacts to what it sees rather than plans, and is kept
// beside the automatic one (control/dispecer.h) so that runs, reports and tests can compare
// the two. Like that one it acts only through the dispatcher's own commands (the
// track-information key on an offer, accept, clicks on a signal and a track).
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "control/cesty.h"
#include "model/stav.h"

namespace stanovar {

class JednoduchyDispecer {
 public:
  // One look over the station: accepts the offers it can take, and refuses one it could not
  // take for LhutaNabidky; a train standing or running towards a signal with no route gets
  // the route to a free station track from which its destination line can be reached, and a
  // train on a station track, once it stands, the route out to that line. A route that would only be stored is cancelled again and tried later. Offers
  // and trains from arrivals-only lines are served oldest first, and only while every train
  // on a two-way line can still find room, so the station never locks up. A train may
  // leave by any line track towards its destination (a double-track line used both ways
  // has two of one name).
  void operator()(Stav& s);

  // Optional: give it every executed event, and it looks again only after an event that may
  // have made room (a release, a stop, a route entered, a train gone, a new train or offer).
  // Without it, it looks every time it is called.
  void udalost(const RUdalost& u);
  // Whether its next call looks over the station (with udalost, only after such an event).
  bool podivaSe(const Stav& s) const { return !s.VyberCesty && (!sleduje_ || zmena_); }

  // An offer it cannot take within this time (simulated, day fraction) it refuses, as a
  // person would rather than keep the neighbour waiting.
  static constexpr double LhutaNabidky = 15.0 / (24 * 60);

  int prijato = 0;     // offers accepted
  int odmitnuto = 0;   // offers refused because they could not be taken in time
  int nastaveno = 0;   // routes set
  int ulozeno = 0;     // routes that could only be stored behind something
  int zruseno = 0;     // stored requests withdrawn

  // What it keeps from look to look, as plain data, so that a saved run resumes exactly:
  // which routes lead where on the empty station, the paths its clicks found, the claims on
  // room in the order first seen, the offers it has seen waiting, and the routes that could
  // only be stored with the count of releases seen then.
  struct Trvale {
    std::map<std::pair<int, int>, bool> dosazitelnost;
    PametCest pamet;
    std::vector<std::pair<int, long long>> poradi;
    long long dalsiPoradi = 0;
    std::map<int, double> cekaOd;
    long long uvolneni = 0;
    std::map<std::pair<int, int>, long long> neslo;
    bool sleduje = false;
    bool zmena = true;
  };
  Trvale trvale() const;
  void obnov(Trvale t);

 private:
  // The station on paper, for deciding whether taking room may lock it: free station tracks,
  // trains inside with the line they leave by, and trains outside (on a line, or accepted
  // for one) that want in.
  struct Uvnitr {
    int kolej;
    // Line tracks it may leave by; none when it leaves whatever happens.
    const std::vector<int>* ven;
  };
  struct Venku {
    int trat;                     // line track it holds
    int signal;                   // signal at that track's inner end, 0 none
    int smer;                     // direction it runs in
    const std::vector<int>* ven;  // line tracks it may leave by
    int vlak;                     // 0 for an accepted train not yet handed over
  };
  struct Model {
    std::vector<int> volne;
    std::vector<Uvnitr> uvnitr;
    std::vector<Venku> venku;
  };
  // The line tracks towards neighbour `kam`: those of its line ends for departures or both
  // ways, in the order of the line ends. A double-track line used both ways has two of one
  // name, and a train may leave by either. A two-way line that has a train offered or
  // accepted is still a way out: were it not, the trains inside that wait for it could fill
  // the station while the offer waits for room. Offers move a line end only among the kinds
  // counted here, so the answer is found once per name.
  const std::vector<int>& Trati(Stav& s, const std::string& kam);
  void Postav(Stav& s, Model& m);
  // The train of an offer as it will stand on its line once accepted; none when it could
  // never leave.
  std::optional<Venku> Zvenku(Stav& s, const RNabidka& n);
  // Whether everybody outside can still come in, and so everybody leave; with `kolej`, once
  // train i outside has moved onto station track `kolej`.
  bool Bezpecny(Stav& s, const Model& m, std::size_t i = 0, int kolej = 0);
  // Moves train i outside onto station track `kolej`.
  static void Presun(Model& m, std::size_t i, int kolej);
  // Routes train i outside into a free track from which it can leave, only into tracks that
  // keep the station safe when `jenBezpecne`. The track set (and m updated), or 0.
  int Dovnitr(Stav& s, Model& m, std::size_t i, bool jenBezpecne);
  bool Pouzitelna(Stav& s, const Venku& v, int kolej);

  // Refuses the offers that have waited LhutaNabidky or longer since it first saw them.
  void OdmitniStare(Stav& s);
  // Whether a train stands on a station track ready to leave by line track `trat`.
  bool Odjizdi(Stav& s, int trat);
  // One look over the station; true when it accepted an offer or set a route.
  bool Pohled(Stav& s);
  // Whether a route can be set from signal `navestidlo` to track `kolej` on the empty
  // station; found once by trying it on a copy.
  bool Vede(Stav& s, int navestidlo, int kolej);
  // Whether a route can lead from the exit end of station track `kolej`, in direction
  // `smer`, to line track `trat`.
  bool VedeNaTrat(Stav& s, int kolej, int smer, int trat);
  // Clicks the signal, then the track; true when the route was set. A route that is only
  // stored is withdrawn at once; one that would be stored and withdrawn without a trace is
  // not clicked at all, and counts the same.
  bool Nastav(Stav& s, int navestidlo, int kolej);
  // Nastav, unless the same route was stored and withdrawn and nothing was released since.
  bool Zkus(Stav& s, int navestidlo, int kolej);

  std::map<std::pair<int, int>, bool> dosazitelnost_;
  PametCest pamet_;  // when the state keeps none
  std::unordered_map<std::string, std::vector<int>> trati_;
  // Claims on room (offers and trains on arrivals-only lines) by the order they were first
  // seen in; offers under their train number negated.
  std::vector<std::pair<int, long long>> poradi_;
  long long dalsiPoradi_ = 0;
  // Offers not yet answered, by train number, with the time they were first seen.
  std::map<int, double> cekaOd_;
  // Releases seen so far, and for each route that could only be stored, how many had been
  // seen then.
  long long uvolneni_ = 0;
  std::map<std::pair<int, int>, long long> neslo_;
  bool sleduje_ = false;
  bool zmena_ = true;
  // The station on paper of the current look, and the copy Bezpecny drains; kept so that
  // their room is reused from look to look.
  Model stanice_, naPapire_;
  // Working lists of one look, kept for their room likewise: the claims on room in order, the
  // claims' order numbers being kept, the trains, a train's line tracks.
  struct Narok {
    long long poradi;
    int vlak;     // train waiting on an arrivals-only line
    int nabidka;  // or offered train
  };
  std::vector<Narok> naroky_;
  std::vector<std::pair<int, long long>> zustava_;
  std::vector<int> vlaky_, ven_;
};

}  // namespace stanovar
