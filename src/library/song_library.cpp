#include "library/song_library.h"

#include "library/chart_version.h"
#include "library/song_identity.h"
#include "platform/atomic_write.h"
#include "platform/sound_tags.h"
#include "platform/thread_priority.h"

#include <algorithm>

namespace library {

namespace fs = std::filesystem;

namespace {

constexpr const char* kListingFile = "library.tsv";
constexpr const char* kSkippedFile = "skipped.txt";
// skipped.txt is rewritten at most this often while songs keep failing.
constexpr double kSkippedWritePeriod = 1.0;
// What the charting takes, known from the header before any decoding.
constexpr long long kShortestSongMs = 10000;
constexpr long long kLongestSongMs = 20 * 60 * 1000;

std::string lengthProblem(long long lengthMs) {
    if (lengthMs > 0 && lengthMs < kShortestSongMs) {
        return "shorter than 10 s";
    }
    if (lengthMs > kLongestSongMs) {
        return "longer than 20 min";
    }
    return "";
}

std::size_t slot(Density density) {
    return static_cast<std::size_t>(density);
}

} // namespace

SongLibrary::SongLibrary(LibraryPlaces givenPlaces) : places(std::move(givenPlaces)) {
    if (!places.cacheFolder.empty()) {
        listing = SongListing::load(places.cacheFolder / kListingFile);
        charting = std::make_unique<ChartingQueue>(places.chartTool);
    }
    SongRow shipped = places.shippedSong;
    shipped.shipped = true;
    shipped.charts[slot(Density::Normal)] = ChartState::Charted;
    songs.put(shipped);
    walker = std::thread([this] { walk(); });
}

SongLibrary::~SongLibrary() {
    stopping = true;
    walker.join();
    if (!places.cacheFolder.empty()) {
        std::lock_guard<std::mutex> hold(listingLock);
        listing.save(places.cacheFolder / kListingFile);
        std::string error;
        platform::writeFileAtomically(places.cacheFolder / kSkippedFile, skippedText(songs.rows()),
                                      error);
    }
}

// The walk lists every song first, so the list fills quickly, and hashes
// the new ones after: hashing reads whole files.
void SongLibrary::walk() {
    platform::runThisThreadInTheBackground();
    std::vector<FoundFile> unhashed;
    std::vector<fs::path> roots = places.roots;
    scanFolders(roots, {[&](FoundFile file) {
                            learn(file);
                            std::lock_guard<std::mutex> hold(listingLock);
                            std::optional<SongFacts> facts = listing.find(file);
                            if (facts && facts->identity.empty() && facts->problem.empty()) {
                                unhashed.push_back(file);
                            }
                        },
                        [&](ScanProblem problem) {
                            SongRow row;
                            row.path = problem.path;
                            row.problem = problem.reason;
                            post(row);
                        },
                        [&] { return stopping.load(); }});
    const fs::path shippedSong = places.shippedSong.path;
    if (!shippedSong.empty() && !stopping) {
        std::error_code status;
        FoundFile shipped{shippedSong, fs::file_size(shippedSong, status),
                          fs::last_write_time(shippedSong, status).time_since_epoch().count()};
        if (!status) {
            learn(shipped);
            unhashed.insert(unhashed.begin(), shipped);
        }
    }
    for (const FoundFile& file : unhashed) {
        if (stopping) {
            break;
        }
        std::string error;
        std::optional<std::string> identity = songIdentity(file.path, error);
        {
            std::lock_guard<std::mutex> hold(listingLock);
            std::optional<SongFacts> facts = listing.find(file);
            if (!facts) {
                continue;
            }
            if (identity) {
                facts->identity = *identity;
            } else {
                facts->problem = "cannot be read: " + error;
            }
            listing.remember(file, *facts);
        }
        learn(file);
    }
    scanDone = true;
}

// Posts the file's row, from the listing when the file is known and from
// its header otherwise.
void SongLibrary::learn(const FoundFile& file) {
    std::optional<SongFacts> facts;
    {
        std::lock_guard<std::mutex> hold(listingLock);
        facts = listing.find(file);
    }
    if (!facts) {
        std::optional<platform::sound::SoundTags> tags = platform::sound::readSoundTags(file.path);
        facts = SongFacts{};
        if (tags) {
            facts->title = tags->title;
            facts->artist = tags->artist;
            facts->lengthMs = tags->lengthMs;
            facts->problem = lengthProblem(tags->lengthMs);
        } else {
            facts->problem = kNotAudio;
        }
        std::lock_guard<std::mutex> hold(listingLock);
        listing.remember(file, *facts);
    }
    SongRow row;
    row.path = file.path;
    row.title = facts->title;
    row.artist = facts->artist;
    row.lengthMs = facts->lengthMs;
    row.identity = facts->identity;
    row.problem = facts->problem;
    if (row.problem.empty() && !row.identity.empty()) {
        std::lock_guard<std::mutex> hold(listingLock);
        row.problem = listing.chartProblem(row.identity, kChartVersion).value_or("");
    }
    lookForCharts(row);
    post(row);
}

void SongLibrary::lookForCharts(SongRow& row) const {
    if (row.identity.empty() || places.cacheFolder.empty()) {
        return;
    }
    for (Density density : kDensities) {
        std::optional<ChartMark> mark =
            cachedChart(chartFolder(places.cacheFolder, row.identity, density, kChartVersion),
                        density, kChartVersion);
        row.charts[slot(density)] = mark ? ChartState::Charted : ChartState::Missing;
        if (mark) {
            row.tempoBpm = mark->tempoBpm;
            row.previewMs = mark->previewMs;
        }
    }
}

void SongLibrary::post(SongRow row) {
    std::lock_guard<std::mutex> hold(newsLock);
    news.push_back(std::move(row));
}

void SongLibrary::update(double nowSeconds) {
    const bool walkEnded = scanDone; // before the news, so its last ones are among them
    takeNews();
    allListed = walkEnded;
    if (charting) {
        followCharting(nowSeconds);
        feedCharting();
    }
    keepSkippedList(nowSeconds);
}

void SongLibrary::takeNews() {
    std::vector<SongRow> arrived;
    {
        std::lock_guard<std::mutex> hold(newsLock);
        arrived.swap(news);
    }
    for (SongRow& row : arrived) {
        if (const SongRow* known = songs.find(row.path)) {
            // What the frame loop learnt itself stays.
            row.bestPercent = known->bestPercent;
            row.plays = known->plays;
            if (row.tempoBpm <= 0.0) {
                row.tempoBpm = known->tempoBpm;
            }
            if (known->shipped) {
                row.shipped = true;
                row.title = known->title;
                row.artist = known->artist;
                row.charts[slot(Density::Normal)] = ChartState::Charted;
            }
        }
        skippedChanged = skippedChanged || !row.problem.empty();
    }
    songs.putAll(std::move(arrived));
}

// A chart's news changes a row's states, never its name: the rows keep
// their order and the filter its choice, so they change where they stand.
void SongLibrary::followCharting(double nowSeconds) {
    charting->update(nowSeconds);
    for (const ChartOutcome& outcome : charting->takeOutcomes()) {
        if (!outcome.charted && !outcome.songsFault) {
            toolTrouble = outcome.reason;
            charting->dropWaiting();
        }
        for (SongRow& row : songs.rowsToUpdate()) {
            if (row.identity != outcome.job.identity) {
                continue;
            }
            if (outcome.charted) {
                lookForCharts(row);
            } else if (outcome.songsFault) {
                row.problem = outcome.reason;
                skippedChanged = true;
                std::lock_guard<std::mutex> hold(listingLock);
                listing.rememberChartProblem(row.identity, kChartVersion, outcome.reason);
            } else {
                row.charts[slot(outcome.job.density)] = ChartState::Missing;
            }
        }
    }
    if (const ChartJob* job = charting->running()) {
        for (SongRow& row : songs.rowsToUpdate()) {
            if (row.identity == job->identity) {
                row.charts[slot(job->density)] = ChartState::Charting;
                row.chartingPercent = charting->runningPercent();
            }
        }
    }
}

// One song waits at a time, so a density the player picks, or a song they
// choose, is charted next.
void SongLibrary::feedCharting() {
    if (!toolTrouble.empty() || charting->running() || charting->waitingCount() > 0) {
        return;
    }
    for (const SongRow& row : songs.rows()) {
        if (row.problem.empty() && !row.identity.empty() &&
            row.chart(songs.density) == ChartState::Missing) {
            charting->add(jobFor(row, songs.density));
            return;
        }
    }
}

ChartJob SongLibrary::jobFor(const SongRow& row, Density density) const {
    return {row.identity, row.path, density,
            chartFolder(places.cacheFolder, row.identity, density, kChartVersion)};
}

void SongLibrary::chartFirst(const SongRow& row, Density density) {
    if (charting && toolTrouble.empty() && !row.identity.empty() && row.problem.empty() &&
        row.chart(density) != ChartState::Charted) {
        charting->add(jobFor(row, density), true);
    }
}

std::optional<fs::path> SongLibrary::playFolder(const SongRow& row, Density density) const {
    if (row.shipped && density == Density::Normal) {
        return places.shippedFolder;
    }
    if (row.chart(density) != ChartState::Charted || places.cacheFolder.empty()) {
        return std::nullopt;
    }
    return chartFolder(places.cacheFolder, row.identity, density, kChartVersion);
}

int SongLibrary::playableCount() const {
    return static_cast<int>(std::count_if(songs.rows().begin(), songs.rows().end(),
                                          [](const SongRow& row) { return row.problem.empty(); }));
}

int SongLibrary::chartedCount() const {
    return static_cast<int>(
        std::count_if(songs.rows().begin(), songs.rows().end(), [&](const SongRow& row) {
            return row.problem.empty() && row.chart(songs.density) == ChartState::Charted;
        }));
}

void SongLibrary::keepSkippedList(double nowSeconds) {
    if (!skippedChanged || places.cacheFolder.empty() ||
        (skippedWrittenAt >= 0.0 && nowSeconds - skippedWrittenAt < kSkippedWritePeriod)) {
        return;
    }
    std::string error;
    platform::writeFileAtomically(places.cacheFolder / kSkippedFile, skippedText(songs.rows()),
                                  error, platform::Durability::Cache);
    skippedChanged = false;
    skippedWrittenAt = nowSeconds;
}

std::string skippedText(const std::vector<SongRow>& rows) {
    std::string text = "# Songs the library cannot play, and why. Each is tried again once its "
                       "file changes.\n";
    for (const SongRow& row : rows) {
        if (row.problem.empty()) {
            continue;
        }
        std::string path = row.path.string();
        for (std::size_t at = 0; (at = path.find('\n', at)) != std::string::npos; at += 2) {
            path.replace(at, 1, "\\n");
        }
        text += path + "\t" + row.problem + "\n";
    }
    return text;
}

} // namespace library
