// What the window's tests share: an outside world that records message boxes, files written
// and read in the test's folder, a modal dialog answered once it shows, and settings files
// naming a station.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <string>
#include <vector>

#include "fakes/skriptovane_prostredi.h"

namespace stanovar::test {

struct TestProstredi : test::SkriptovaneProstredi {
  std::function<void()> priZprave;
  void zprava(const std::string& t) override {
    test::SkriptovaneProstredi::zprava(t);
    if (priZprave) priZprave();
  }
};

inline constexpr char S = '\x85';

inline std::string Radek(std::initializer_list<std::string> pole) {
  std::string r;
  bool prvni = true;
  for (const auto& p : pole) {
    if (!prvni) r += S;
    r += p;
    prvni = false;
  }
  return r + "\r\n";
}

inline void Zapis(const QString& cesta, const std::string& obsah) {
  QFile f(cesta);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(obsah.data(), static_cast<qint64>(obsah.size()));
}

inline std::string Cti(const QString& cesta) {
  QFile f(cesta);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

// Closes the next modal dialog with the given button once it is shown.
inline void Odpovez(std::function<QAbstractButton*(QDialog*)> tlacitko) {
  QTimer::singleShot(0, [tlacitko] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QVERIFY(d != nullptr);
    if (QAbstractButton* b = tlacitko(d)) QTest::mouseClick(b, Qt::LeftButton);
  });
}


// A settings file naming a station's three files and a language file by absolute paths.
inline std::string IniStanice(const QString& data, const char* stanice, const char* jazyk) {
  const std::string d = QFile::encodeName(data).toStdString() + "/";
  return "\x85" + d + stanice + ".yrd\r\n\x87" + d + stanice + ".gvd\r\n\xB8" "5" + d + stanice +
         ".lok\r\n\xB8" "7" + d + jazyk + "\r\n";
}


// Test classes in other files of the window's test program, run after the first: each
// registers a function that runs its class with QTest::qExec.
using SpustTesty = std::function<int(int, char**)>;
inline std::vector<SpustTesty>& DalsiTestyOkna() {
  static std::vector<SpustTesty> v;
  return v;
}

}  // namespace stanovar::test
