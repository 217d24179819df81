// One check of the whole running state, shared by the tests, the long runs and the headless
// runner: no element is held by two trains, a train releases only what it holds and enters
// only route tracks numbered for it, nothing is red for a train that is gone and not about to
// be released, no track keeps the number of a train that is gone, every locked element
// belongs to a route or a train, no event is due in the past, every train either has its run
// queued or stands before a signal, and no train stands for good where it could go on.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>

#include "model/stav.h"

namespace stanovar {

class KontrolaStavu {
 public:
  // Follows an event about to be executed (give it every event, e.g. from the state's
  // event notices): which train holds each element between its occupied and its released
  // event.
  void udalost(Stav& s, const RUdalost& u);
  // An empty text when everything holds, else what is wrong, first fault first.
  std::string over(Stav& s);
  // The same between two events of one instant: the events still due then are not late, so
  // an event counts as due in the past only when it is more than a millisecond earlier than
  // `ted`, the time of the event just executed.
  std::string over(Stav& s, double ted);

  // Also checks that the station keeps flowing, as it must under the automatic dispatcher:
  // no offer waits more than 30 simulated minutes unanswered, no train stands more than two
  // hours, and every line end waiting for an answer or for its line track has its offer.
  bool zivost = false;

  // Under any dispatcher a train that has stood three hours before a route set from the
  // signal ahead of it is stuck for good (over finds it): setting a route there sets it off
  // at once. Called right after the automatic dispatcher has looked over the station, this
  // also finds a train that has stood three hours although that dispatcher could set it a
  // route: `mohlBy` answers whether another look now would (tried on copies). Asked at the
  // first look after three hours of standing and after each hour more. An empty text when
  // none.
  std::string poPohledu(Stav& s, double ted, const std::function<bool(Stav&, int vlak)>& mohlBy);

  // What it follows from event to event, as plain data, so that a saved run resumes exactly:
  // the holder of each element, the first fault found, and since when each offer has waited
  // unanswered and each train has stood.
  struct Trvale {
    std::unordered_map<int, int> drzitel;
    std::string chyba;
    std::unordered_map<int, double> nabidnuto;
    std::unordered_map<int, double> stoji;
    double minule = -1;  // time of the last look after the automatic dispatcher's, -1 none
  };
  Trvale trvale() const { return {drzitel_, chyba_, nabidnuto_, stoji_, minule_}; }
  void obnov(Trvale t) {
    drzitel_ = std::move(t.drzitel);
    chyba_ = std::move(t.chyba);
    nabidnuto_ = std::move(t.nabidnuto);
    stoji_ = std::move(t.stoji);
    minule_ = t.minule;
  }

 private:
  std::string over(Stav& s, double ted, double tolerance);
  // Every track and connector under a train's body is occupied, tracks by that train.
  std::string telo(Stav& s);
  std::string plynuti(Stav& s, double ted);
  // Follows since when each train stands, in stoji_.
  void stoji(Stav& s, double ted);

  std::unordered_map<int, int> drzitel_;  // element -> train whose head entered it
  std::string chyba_;
  std::unordered_map<int, double> nabidnuto_;  // unanswered offer -> when first seen
  std::unordered_map<int, double> stoji_;      // standing train -> since when
  double minule_ = -1;  // time of the last poPohledu, -1 none yet
};

}  // namespace stanovar
