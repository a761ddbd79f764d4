#include "output/html_report.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <numeric>
#include <set>
#include <sstream>

namespace corvella {

std::string markup_escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

namespace {

std::string escaped(const std::string& text) { return markup_escaped(text); }

// An SVG document as an element of the page: from "<svg" on.
std::string inline_svg(const std::string& svg) {
    const size_t at = svg.find("<svg");
    return at == std::string::npos ? std::string() : svg.substr(at);
}

int column_of(const HtmlTable& table, const std::string& name) {
    for (size_t c = 0; c < table.header.size(); ++c)
        if (table.header[c] == name) return static_cast<int>(c);
    return -1;
}

const char* const STYLE = R"(
:root { --ink: #1d1d1f; --line: #d0d0d8; --soft: #f4f5f8; --accent: #0072b2; }
* { box-sizing: border-box; }
body { margin: 0; font-family: "Liberation Sans", Arial, Helvetica, sans-serif; color: var(--ink);
       line-height: 1.4; background: #ffffff; }
main { max-width: 1240px; margin: 0 auto; padding: 16px 20px 40px; }
h1 { font-size: 1.6em; margin: 0.4em 0; }
h2 { font-size: 1.25em; margin: 1.6em 0 0.4em; border-bottom: 2px solid var(--line); padding-bottom: 0.2em; }
dl.facts { display: grid; grid-template-columns: max-content 1fr; gap: 0.2em 1.2em; margin: 0; }
dl.facts dt { font-weight: bold; }
dl.facts dd { margin: 0; }
pre.summary { background: var(--soft); padding: 0.6em 0.8em; white-space: pre-wrap; font-size: 0.9em; }
.figures { display: grid; grid-template-columns: repeat(auto-fit, minmax(min(100%, 520px), 1fr)); gap: 16px; }
figure { margin: 0; border: 1px solid var(--line); padding: 8px; break-inside: avoid; }
figure.wide { grid-column: 1 / -1; }
figure svg { width: 100%; height: auto; display: block; }
figcaption { font-size: 0.9em; color: #555; margin-top: 4px; }
.scroll { overflow-x: auto; max-width: 100%; }
table { border-collapse: collapse; font-size: 0.85em; width: 100%; }
th, td { border: 1px solid var(--line); padding: 3px 6px; text-align: left; white-space: nowrap; }
th { background: var(--soft); cursor: pointer; user-select: none; position: sticky; top: 0; }
th[aria-sort="ascending"]::after { content: " \25B2"; }
th[aria-sort="descending"]::after { content: " \25BC"; }
tbody tr:nth-child(even) { background: #fafafc; }
.filter { margin: 0.4em 0; }
.filter input { font-size: 1em; padding: 4px 6px; width: min(100%, 360px); }
.count { color: #555; margin-left: 0.6em; }
p.note { color: #7a4b00; background: #fff6e0; padding: 0.4em 0.6em; }
@media (max-width: 860px) { main { padding: 10px; } table { font-size: 0.8em; } }
@media print {
  .filter, .count { display: none; }
  main { max-width: none; padding: 0; }
  th { position: static; }
  h2 { break-after: avoid; }
  tr { break-inside: avoid; }
}
)";

// Sorting by a header click (numbers as numbers, else text), and the text
// box that keeps the rows holding what is typed. No library, no request.
const char* const SCRIPT = R"(
(function () {
  "use strict";
  function cellValue(row, column) { return row.cells[column] ? row.cells[column].textContent : ""; }
  function compare(a, b) {
    var x = parseFloat(a), y = parseFloat(b);
    var numbers = a.trim() !== "" && b.trim() !== "" && !isNaN(x) && !isNaN(y) && isFinite(a) && isFinite(b);
    if (numbers) return x - y;
    return a.localeCompare(b);
  }
  document.querySelectorAll("table.data").forEach(function (table) {
    var body = table.tBodies[0];
    var headers = table.tHead.rows[0].cells;
    Array.prototype.forEach.call(headers, function (th, column) {
      th.addEventListener("click", function () {
        var ascending = th.getAttribute("aria-sort") !== "ascending";
        Array.prototype.forEach.call(headers, function (h) { h.removeAttribute("aria-sort"); });
        th.setAttribute("aria-sort", ascending ? "ascending" : "descending");
        var rows = Array.prototype.slice.call(body.rows);
        rows.sort(function (r, s) {
          var c = compare(cellValue(r, column), cellValue(s, column));
          return ascending ? c : -c;
        });
        var fragment = document.createDocumentFragment();
        rows.forEach(function (r) { fragment.appendChild(r); });
        body.appendChild(fragment);
      });
    });
    var box = document.getElementById(table.id + "-filter");
    var count = document.getElementById(table.id + "-count");
    function shown(n) { if (count) count.textContent = n + " of " + body.rows.length + " rows"; }
    shown(body.rows.length);
    if (!box) return;
    box.addEventListener("input", function () {
      var words = box.value.toLowerCase().trim();
      var n = 0;
      Array.prototype.forEach.call(body.rows, function (row) {
        var keep = words === "" || row.textContent.toLowerCase().indexOf(words) >= 0;
        row.hidden = !keep;
        if (keep) ++n;
      });
      shown(n);
    });
  });
  document.body.setAttribute("data-ready", "yes");
})();
)";

void write_table(std::ostringstream& s, const HtmlTable& table) {
    s << "<section id=\"" << escaped(table.id) << "-section\">\n<h2>" << escaped(table.title) << "</h2>\n";
    if (!table.note.empty()) s << "<p class=\"note\">" << escaped(table.note) << "</p>\n";
    s << "<div class=\"filter\"><label>Filter: <input type=\"search\" id=\"" << escaped(table.id)
      << "-filter\" placeholder=\"type to keep matching rows\"></label><span class=\"count\" id=\""
      << escaped(table.id) << "-count\"></span></div>\n";
    s << "<div class=\"scroll\"><table class=\"data\" id=\"" << escaped(table.id) << "\">\n<thead><tr>";
    for (const std::string& h : table.header) s << "<th scope=\"col\">" << escaped(h) << "</th>";
    s << "</tr></thead>\n<tbody>\n";
    for (const auto& row : table.rows) {
        s << "<tr>";
        for (const std::string& cell : row) s << "<td>" << escaped(cell) << "</td>";
        s << "</tr>\n";
    }
    s << "</tbody></table></div>\n</section>\n";
}

}  // namespace

std::string html_report(const HtmlReport& report) {
    std::ostringstream s;
    s << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      // Nothing is fetched: no network request may leave the page.
      << "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'; "
         "script-src 'unsafe-inline'; img-src data:\">\n"
      << "<title>" << escaped(report.title) << "</title>\n<style>" << STYLE << "</style>\n</head>\n<body>\n<main>\n"
      << "<h1>" << escaped(report.title) << "</h1>\n";

    s << "<section id=\"read\">\n<h2>What was read</h2>\n<dl class=\"facts\">\n";
    for (const auto& [name, value] : report.facts) s << "<dt>" << escaped(name) << "</dt><dd>" << escaped(value) << "</dd>\n";
    s << "<dt>Input" << (report.inputs.size() == 1 ? "" : "s") << "</dt><dd>";
    for (size_t i = 0; i < report.inputs.size(); ++i) s << (i ? "<br>" : "") << escaped(report.inputs[i]);
    s << "</dd>\n</dl>\n";
    if (!report.import_summary.empty())
        s << "<pre class=\"summary\">" << escaped(report.import_summary) << "</pre>\n";
    s << "</section>\n";

    if (!report.figures.empty()) {
        s << "<section id=\"pictures\">\n<h2>Pictures</h2>\n<div class=\"figures\">\n";
        for (size_t i = 0; i < report.figures.size(); ++i) {
            const HtmlFigure& f = report.figures[i];
            s << "<figure" << (i == 0 ? " class=\"wide\"" : "") << ">" << inline_svg(f.svg) << "<figcaption>"
              << escaped(f.title) << "</figcaption></figure>\n";
        }
        s << "</div>\n</section>\n";
    }
    for (const HtmlTable& table : report.tables) write_table(s, table);
    s << "</main>\n<script>" << SCRIPT << "</script>\n</body>\n</html>\n";
    return s.str();
}

HtmlTable html_table_from_text(const std::string& id, const std::string& title, const std::string& text) {
    HtmlTable table;
    table.id = id;
    table.title = title;
    size_t start = 0;
    bool first = true;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        std::vector<std::string> cells;
        size_t from = 0;
        while (true) {
            const size_t tab = line.find('\t', from);
            cells.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
            if (tab == std::string::npos) break;
            from = tab + 1;
        }
        if (first) {
            table.header = std::move(cells);
            first = false;
        } else if (!line.empty()) {
            table.rows.push_back(std::move(cells));
        }
    }
    return table;
}

void keep_most_frequent_variants(HtmlTable& table, size_t limit, const std::string& whole_table) {
    const int position = column_of(table, "Position"), alt = column_of(table, "Alt"),
              samples = column_of(table, "Samples");
    if (position < 0 || alt < 0 || samples < 0) return;
    // One entry per distinct variant (its rows follow each other), with the
    // samples that carry it.
    struct Variant {
        size_t first_row;
        long samples;
    };
    std::vector<Variant> variants;
    std::vector<size_t> variant_of(table.rows.size());
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        const bool same = r > 0 && row[static_cast<size_t>(position)] == table.rows[r - 1][static_cast<size_t>(position)] &&
                          row[static_cast<size_t>(alt)] == table.rows[r - 1][static_cast<size_t>(alt)];
        if (!same) variants.push_back({r, std::strtol(row[static_cast<size_t>(samples)].c_str(), nullptr, 10)});
        variant_of[r] = variants.size() - 1;
    }
    if (variants.size() <= limit) return;
    std::vector<size_t> order(variants.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return variants[a].samples > variants[b].samples; });
    std::vector<bool> kept(variants.size(), false);
    for (size_t i = 0; i < limit; ++i) kept[order[i]] = true;
    std::vector<std::vector<std::string>> rows;
    for (size_t r = 0; r < table.rows.size(); ++r)
        if (kept[variant_of[r]]) rows.push_back(std::move(table.rows[r]));
    table.rows = std::move(rows);
    table.note = "The " + std::to_string(limit) + " variants carried by the most samples, of " +
                 std::to_string(variants.size()) + " distinct variants; the whole table is " + whole_table + ".";
}

}  // namespace corvella
