#include "server/pages.h"

#include "server/web_text.h"

namespace scores {
namespace {

constexpr const char* kSiteName = "Lumora Hall of Fame";

std::string Page(std::string_view title, const std::string& body) {
    return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
           "<title>" +
           HtmlEscape(title) + " \xE2\x80\x93 " + kSiteName +
           "</title><link rel=\"stylesheet\" href=\"/style.css\"></head>\n<body><header>"
           "<a href=\"/\">" +
           kSiteName + "</a></header>\n<main>\n" + body + "</main></body></html>\n";
}

std::string GameLink(const std::string& game) {
    return "<a href=\"/games/" + HtmlEscape(game) + "\">" + HtmlEscape(game) + "</a>";
}

// <bdi> keeps a name written right to left from reordering the text around it.
std::string NameCell(const std::string& name) {
    return "<td class=\"name\"><bdi>" + HtmlEscape(name) + "</bdi></td>";
}

std::string ScoreTable(const Leaderboard& board) {
    std::string table = "<table><thead><tr><th>Rank</th><th>Name</th><th class=\"score\">"
                        "Score</th><th class=\"date\">Date</th></tr></thead><tbody>\n";
    for (const ScoreRow& row : board.rows) {
        table += "<tr><td class=\"rank\">" + std::to_string(row.rank) + "</td>" +
                 NameCell(row.name) + "<td class=\"score\">" + GroupedNumber(row.score) +
                 "</td><td class=\"date\">" + UtcDate(row.recordedAt) + "</td></tr>\n";
    }
    return table + "</tbody></table>\n";
}

std::string EntriesText(int64_t entries) {
    return entries == 1 ? "1 entry" : GroupedNumber(entries) + " entries";
}

} // namespace

std::string UploadPage(const Upload& upload, const RecordOutcome& outcome) {
    std::string body = std::string("<h1>") +
                       (outcome.inserted ? "Score recorded" : "Already recorded") + "</h1>\n";
    body += "<p class=\"result\"><span class=\"score\">" + GroupedNumber(upload.score) +
            "</span> points for <strong><bdi>" + HtmlEscape(upload.name) + "</bdi></strong> in " +
            HtmlEscape(upload.game) + "</p>\n";
    body += "<p class=\"rank\">Rank <strong>" + std::to_string(outcome.rank) + "</strong> of " +
            EntriesText(outcome.entries) + "</p>\n";
    body += "<p><a class=\"button\" href=\"/games/" + HtmlEscape(upload.game) + "\">See the " +
            HtmlEscape(upload.game) + " leaderboard</a></p>\n";
    return Page(outcome.inserted ? "Score recorded" : "Already recorded", body);
}

std::string LeaderboardPage(const std::string& game, const Leaderboard& board) {
    std::string body = "<h1>" + HtmlEscape(game) + "</h1>\n";
    if (board.rows.empty())
        return Page(game, body + "<p>No scores yet.</p>\n");
    body += "<p>" + EntriesText(board.entries) + (board.entries > 100 ? "; the best 100" : "") +
            ".</p>\n" + ScoreTable(board);
    body += "<p class=\"small\"><a href=\"/api/games/" + HtmlEscape(game) +
            "/scores\">These scores as JSON</a></p>\n";
    return Page(game, body);
}

std::string HomePage(const std::vector<GameSummary>& games) {
    std::string body = "<h1>Best results</h1>\n";
    for (const GameSummary& summary : games) {
        body += "<section><h2>" + GameLink(summary.game) + "</h2>\n";
        if (summary.best.rows.empty())
            body += "<p>No scores yet.</p>\n";
        else
            body += ScoreTable(summary.best) + "<p class=\"small\">" +
                    EntriesText(summary.best.entries) + " \xC2\xB7 <a href=\"/games/" +
                    HtmlEscape(summary.game) + "\">the whole leaderboard</a></p>\n";
        body += "</section>\n";
    }
    return Page("Best results", body);
}

std::string MessagePage(std::string_view title, std::string_view reason) {
    return Page(title, "<h1>" + HtmlEscape(title) + "</h1>\n<p>" + HtmlEscape(reason) +
                           "</p>\n<p><a href=\"/\">All games</a></p>\n");
}

std::string LeaderboardJson(const std::string& game, const Leaderboard& board) {
    std::string json = "{\"game\":\"" + JsonEscape(game) +
                       "\",\"entries\":" + std::to_string(board.entries) + ",\"scores\":[";
    for (size_t i = 0; i < board.rows.size(); ++i) {
        const ScoreRow& row = board.rows[i];
        json += std::string(i ? "," : "") + "{\"rank\":" + std::to_string(row.rank) +
                ",\"name\":\"" + JsonEscape(row.name) +
                "\",\"score\":" + std::to_string(row.score) + ",\"recorded\":\"" +
                UtcTimestamp(row.recordedAt) + "\"}";
    }
    return json + "]}\n";
}

} // namespace scores
