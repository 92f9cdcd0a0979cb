// A chart's grid as text, written once for the desktop and the browser: tab-separated for the
// clipboard ("Daten kopieren"), CSV for a file ("Daten speichern …"). `spalten[s][z]` is series
// s at second z + 1; NaN leaves the cell empty.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace darstellung {

// A header row "t in s", then the series' names; one row per second with the time and the
// cells, 15 significant digits with the user's decimal separator `komma`; "\n" ends each row.
std::string tsv_text(std::span<const std::string> reihen,
                     std::span<const std::vector<double>> spalten, std::string_view komma);

// What a spreadsheet opens without asking: a header with units ("Soll in °C"), one row per
// second, numbers in full (the shortest text that reads back as the same double); where the
// decimal separator is a comma, ";" between fields and "," in numbers, otherwise "," and ".";
// "\r\n" ends each row.
std::string csv_text(std::span<const std::string> reihen, std::string_view einheit,
                     std::span<const std::vector<double>> spalten, std::string_view komma);

} // namespace darstellung
