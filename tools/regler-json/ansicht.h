// The charts of pages 2 and 3 after a table of runs, with the learning aids off and on, as the
// program shows them: for checking that the browser shows the same.
#pragma once

#include <QJsonArray>

// Each case: the page, the aids, the fields typed before each "Start Grafik", the lab notebook
// after them (CSV, German), and for each chart its display list (as the core's JSON), its group's
// read-out at some seconds, its description and CSV text. In a German number format; the aids as
// the program remembers them are left as they were.
QJsonArray ansicht_json();
