// Any bytes as a lab notebook handed in ("Protokoll laden …"). The reader may refuse the file,
// but never crash, hit undefined behaviour or take long over it, and it reads a file whole or not
// at all: a refused file gives no rows. What it reads is a notebook: every row of page 2 or 3
// with that page's run values, shown in the table without fault. Written again (as "Protokoll
// speichern …" does, in either format) and read back, it reads as the same rows, and writing
// those gives the same file.
#include "protokollzeilen.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fehler(const std::string& was) {
    std::fprintf(stderr, "%s\n", was.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    using namespace darstellung;
    const auto d = protokoll_lesen(std::string_view(reinterpret_cast<const char*>(daten), groesse));
    if (!d.fehler.empty()) {
        if (!d.zeilen.empty()) fehler("refused (" + d.fehler + "), yet rows were read");
        return 0;
    }
    for (const protokollzeile& z : d.zeilen) {
        if (z.seite != 2 && z.seite != 3) fehler("a row of page " + std::to_string(z.seite));
        if (z.werte.size() != laufwert_felder(z.seite).size())
            fehler("a row of page " + std::to_string(z.seite) + " with " +
                   std::to_string(z.werte.size()) + " run values");
        if (protokoll_texte(z, ",").size() != protokoll_spalten().size())
            fehler("a row shown with the wrong number of cells");
        for (size_t s = 0; s < protokoll_spalten().size(); ++s)
            protokoll_wert(z, s);
    }
    for (const char* komma : {",", "."}) {
        const std::string csv = protokoll_csv(d.zeilen, komma);
        const auto wieder = protokoll_lesen(csv);
        if (!wieder.fehler.empty())
            fehler(std::string("written with \"") + komma + "\", then refused: " + wieder.fehler);
        if (wieder.zeilen != d.zeilen)
            fehler(std::string("written with \"") + komma + "\" and read again: other rows");
        if (protokoll_csv(wieder.zeilen, komma) != csv)
            fehler(std::string("written with \"") + komma + "\" twice: another file");
    }
    return 0;
}
