// Two demo stations joined by their Kamenec lines (used both ways), for the runs that play a
// network: the first has one train from Lipovec, the second none of its own, so it generates
// nothing itself and sends every train it takes in on to Lipovec. With the demo station as the
// core draws it with the train on its arrival line: the picture to find on the screen and the
// places of the way through and out to Kamenec.
#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "jadro.h"
#include "model/seznamy.h"
#include "model/stav.h"
#include "pomoc.h"
#include "shell/qt_platno.h"
#include "shell/qt_prostredi.h"

namespace stanovar::e2e {

struct DveStanice {
  QTemporaryDir tmp;
  QString a = tmp.filePath(QStringLiteral("a")), b = tmp.filePath(QStringLiteral("b"));
  QString sit = tmp.filePath(QStringLiteral("sit.json"));
  shell::QtProstredi prostredi;
  Stav s;
  std::unique_ptr<shell::QtPlatno> platno;
  const RSoused* kamenec = nullptr;
  const RKolej *trat = nullptr, *dubno = nullptr, *kolej = nullptr;
  RNavestidlo *doKoleje = nullptr, *naTrat = nullptr, *zTrate = nullptr;  // Lipovec in, out, Kamenec in
  QImage ocekavany;

  // Null when ready, else what failed.
  const char* priprav(const QDir& data) {
    if (!Kopiruj(data, a) || !Kopiruj(data, b)) return "cannot copy the demo station";
    if (!Zapis(a + QStringLiteral("/demo.gvd"), "*Os#4601#LIPOVEC#KAMENEC#80#60#120#M12\r\n") ||
        !Zapis(b + QStringLiteral("/demo.gvd"), "*Os#4601#KAMENEC#LIPOVEC#80#60#120#M12\r\n") ||
        !Zapis(sit, R"({"format": "stanovar-network", "version": 1,
                 "stations": [{"name": "PRVNI", "path": "a"}, {"name": "DRUHA", "path": "b"}],
                 "links": [{"a": {"station": "PRVNI", "line": "KAMENEC"},
                            "b": {"station": "DRUHA", "line": "KAMENEC"}, "running_s": 90}]})"))
      return "cannot write the network";
    s.prostredi = &prostredi;
    platno = std::make_unique<shell::QtPlatno>(792, 480, prostredi.dpi());
    s.platno = platno.get();
    Spust(s, QFile::encodeName(a).toStdString());
    const RVlak* vlak = s.Vlaky.empty() ? nullptr : &s.Vlaky.front();
    if (!vlak) return "the core let no train in";
    const RKolej* vjezd = NajdiKolej(s, vlak->prvek);
    for (const RSoused& so : s.Sousede) {
      if (so.jmeno == "KAMENEC") kamenec = &so;
      if (so.jmeno == "DUBNO") dubno = KolejVBode(s, so.x, so.y);
    }
    trat = kamenec ? KolejVBode(s, kamenec->x, kamenec->y) : nullptr;
    if (vjezd)
      for (const RKolej& k : s.Koleje)
        if (k.druhKonce == 0 && k.y1 == vjezd->y1) kolej = &k;
    if (!vjezd || !trat || !dubno || !kolej || trat->y1 != kolej->y1)
      return "the demo station has no straight way from Lipovec to Kamenec";
    doKoleje = NavestidloVBode(s, vjezd->x2, vjezd->y1);
    naTrat = NavestidloVBode(s, kolej->x2, kolej->y1);
    zTrate = NavestidloVBode(s, trat->x1, trat->y1);
    if (!doKoleje || !naTrat || !zTrate) return "a signal of the way is missing";
    ocekavany = platno->obraz().copy();
    return nullptr;
  }
};

}  // namespace stanovar::e2e
