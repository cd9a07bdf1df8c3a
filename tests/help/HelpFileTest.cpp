// The built help file, read with chmlib as the help viewer reads it: the default topic,
// the contents and the index name topics that are in the file, and every internal link
// and picture of every topic resolves inside it.

#include <chm_lib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

struct ChmCloser {
    void operator()(chmFile* file) const { chm_close(file); }
};
using ChmHandle = std::unique_ptr<chmFile, ChmCloser>;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && lower(text.substr(text.size() - tail.size())) == tail;
}

// "/a/b/../c" -> "/a/c"; the result always starts with "/".
std::string normalise(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& part : parts) {
        out += '/';
        out += part;
    }
    return out.empty() ? "/" : out;
}

// A name as the file records it ("index.html") -> its path inside the file.
std::string rooted(const std::string& name) {
    std::string path(1, '/');
    path.append(name);
    return normalise(path);
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "/" : path.substr(0, slash + 1);
}

// The few character references a path in these files may carry.
std::string decodeEntities(std::string text) {
    static const std::pair<const char*, const char*> entities[] = {
        {"&amp;", "&"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&lt;", "<"}, {"&gt;", ">"}};
    for (const auto& [entity, plain] : entities) {
        for (std::size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + 1))
            text.replace(at, std::strlen(entity), plain);
    }
    return text;
}

// A link target inside the file, or nothing for an address of the web or mail.
std::optional<std::string> internalTarget(const std::string& page, std::string value) {
    value = decodeEntities(value);
    static const std::regex scheme(R"(^[A-Za-z][A-Za-z0-9+.-]*:)");
    if (std::regex_search(value, scheme) || value.rfind("//", 0) == 0)
        return std::nullopt;
    value = value.substr(0, value.find('#'));
    value = value.substr(0, value.find('?'));
    if (value.empty())
        return page; // a fragment of the page itself
    if (value.front() == '/')
        return normalise(value);
    return normalise(directoryOf(page) + value);
}

// The words of a text: lower-case runs of letters and digits, tags and character
// references left out.
std::vector<std::string> words(const std::string& html) {
    static const std::regex tag("<[^>]*>");
    const std::string text = decodeEntities(std::regex_replace(html, tag, " "));
    std::vector<std::string> out;
    std::string word;
    for (const char c : text + " ") {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!word.empty()) {
            out.push_back(word);
            word.clear();
        }
    }
    return out;
}

bool holdsWords(const std::string& html, const std::string& name) {
    const std::vector<std::string> page = words(html);
    const std::set<std::string> present(page.begin(), page.end());
    for (const std::string& word : words(name))
        if (!present.count(word))
            return false;
    return true;
}

// One entry of a contents or index file, with the entries above it.
struct SitemapEntry {
    std::string name;
    std::string local; // empty for a heading without a page
    std::vector<const SitemapEntry*> ancestors;
};

// The entries of a sitemap in file order; nesting follows its <UL> lists.
std::vector<std::unique_ptr<SitemapEntry>> sitemapEntries(const std::string& sitemap) {
    static const std::regex token(
        R"re(<\s*(/?)\s*UL\b[^>]*>|<OBJECT\s+type="text/sitemap">([\s\S]*?)</OBJECT>)re",
        std::regex::icase);
    static const std::regex param(
        R"re(<param\s+name\s*=\s*"(Name|Local)"\s+value\s*=\s*"([^"]*)")re", std::regex::icase);
    std::vector<std::unique_ptr<SitemapEntry>> entries;
    std::vector<const SitemapEntry*> path; // the entry that opened each open list
    const SitemapEntry* last = nullptr;
    int depth = 0;
    for (std::sregex_iterator it(sitemap.begin(), sitemap.end(), token), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (!m[2].matched) {
            if (m[1].str().empty()) {
                if (depth++ > 0)
                    path.push_back(last);
            } else if (--depth > 0 && !path.empty()) {
                path.pop_back();
            }
            continue;
        }
        auto entry = std::make_unique<SitemapEntry>();
        const std::string body = m[2].str();
        for (std::sregex_iterator p(body.begin(), body.end(), param), pend; p != pend; ++p)
            (lower((*p)[1].str()) == "name" ? entry->name : entry->local) =
                decodeEntities((*p)[2].str());
        for (const SitemapEntry* a : path)
            if (a)
                entry->ancestors.push_back(a);
        last = entry.get();
        entries.push_back(std::move(entry));
    }
    return entries;
}

class HelpFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        file_.reset(chm_open(LOCASTRA_HELP_FILE));
        if (!file_)
            return;
        chm_enumerate(file_.get(), CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, &collect, nullptr);
    }
    static void TearDownTestSuite() {
        file_.reset();
        objects_.clear();
    }

    void SetUp() override { ASSERT_TRUE(file_) << "chmlib cannot open " << LOCASTRA_HELP_FILE; }

    static int collect(chmFile*, chmUnitInfo* info, void*) {
        objects_.push_back(info->path);
        return CHM_ENUMERATOR_CONTINUE;
    }

    static bool resolves(const std::string& path) {
        chmUnitInfo info{};
        return chm_resolve_object(file_.get(), path.c_str(), &info) == CHM_RESOLVE_SUCCESS;
    }

    static std::optional<std::string> read(const std::string& path) {
        chmUnitInfo info{};
        if (chm_resolve_object(file_.get(), path.c_str(), &info) != CHM_RESOLVE_SUCCESS)
            return std::nullopt;
        std::string data(static_cast<std::size_t>(info.length), '\0');
        if (info.length == 0)
            return data;
        const LONGINT64 got = chm_retrieve_object(
            file_.get(), &info, reinterpret_cast<unsigned char*>(data.data()), 0, info.length);
        if (got != static_cast<LONGINT64>(info.length))
            return std::nullopt;
        return data;
    }

    // The records of the #SYSTEM file: code -> text up to its first NUL.
    static std::map<int, std::string> systemRecords() {
        std::map<int, std::string> records;
        const std::optional<std::string> system = read("/#SYSTEM");
        if (!system)
            return records;
        const std::string& s = *system;
        auto word = [&](std::size_t at) {
            return static_cast<int>(static_cast<unsigned char>(s[at]) |
                                    (static_cast<unsigned char>(s[at + 1]) << 8));
        };
        std::size_t at = 4; // the version
        while (at + 4 <= s.size()) {
            const int code = word(at);
            const std::size_t length = static_cast<std::size_t>(word(at + 2));
            if (at + 4 + length > s.size())
                break;
            const std::string data = s.substr(at + 4, length);
            records[code] = data.substr(0, data.find('\0'));
            at += 4 + length;
        }
        return records;
    }

    // The Local values of a contents or index file, as paths inside the help file.
    static std::vector<std::string> sitemapTopics(const std::string& sitemap) {
        std::vector<std::string> topics;
        static const std::regex local(R"re(<param\s+name\s*=\s*"Local"\s+value\s*=\s*"([^"]*)")re",
                                      std::regex::icase);
        for (std::sregex_iterator it(sitemap.begin(), sitemap.end(), local), end; it != end; ++it)
            topics.push_back(rooted(decodeEntities((*it)[1].str())));
        return topics;
    }

    static std::vector<std::string> topics() {
        std::vector<std::string> pages;
        for (const std::string& path : objects_) {
            if (endsWith(path, ".html") || endsWith(path, ".htm"))
                pages.push_back(path);
        }
        return pages;
    }

    static inline ChmHandle file_;
    static inline std::vector<std::string> objects_;
};

TEST_F(HelpFile, DefaultTopicContentsAndIndexAreInTheFile) {
    const std::map<int, std::string> records = systemRecords();
    ASSERT_TRUE(records.count(2)) << "no default topic recorded";
    EXPECT_EQ(records.at(2), "index.html");
    const std::optional<std::string> start = read(rooted(records.at(2)));
    ASSERT_TRUE(start) << "the default topic " << records.at(2) << " is not in the file";
    EXPECT_NE(start->find("Locastra"), std::string::npos);

    for (const int code : {0, 1}) {
        ASSERT_TRUE(records.count(code)) << "no " << (code ? "index" : "contents") << " file";
        EXPECT_TRUE(read(rooted(records.at(code))))
            << records.at(code) << " is named by the file but missing in it";
    }
}

TEST_F(HelpFile, EveryTopicOfTheContentsAndTheIndexResolves) {
    const std::map<int, std::string> records = systemRecords();
    for (const int code : {0, 1}) {
        ASSERT_TRUE(records.count(code));
        const std::optional<std::string> sitemap = read(rooted(records.at(code)));
        ASSERT_TRUE(sitemap) << records.at(code);
        const std::vector<std::string> entries = sitemapTopics(*sitemap);
        EXPECT_GE(entries.size(), 30u) << records.at(code) << " lists too few topics";
        for (const std::string& topic : entries)
            EXPECT_TRUE(resolves(topic))
                << records.at(code) << " names " << topic << ", which is not in the help file";
    }
}

TEST_F(HelpFile, EveryLinkAndPictureOfEveryTopicResolves) {
    const std::vector<std::string> pages = topics();
    ASSERT_GE(pages.size(), 30u);
    static const std::regex attribute(R"re(\b(href|src)\s*=\s*("([^"]*)"|'([^']*)'))re",
                                      std::regex::icase);
    std::set<std::string> linked;
    for (const std::string& page : pages) {
        const std::optional<std::string> text = read(page);
        ASSERT_TRUE(text) << page << " cannot be read";
        for (std::sregex_iterator it(text->begin(), text->end(), attribute), end; it != end; ++it) {
            const std::string value = (*it)[3].matched ? (*it)[3].str() : (*it)[4].str();
            const std::optional<std::string> target = internalTarget(page, value);
            if (!target)
                continue;
            linked.insert(*target);
            EXPECT_TRUE(resolves(*target))
                << page << " links to " << value << " (" << *target << "), not in the file";
        }
    }
    // Every topic is reached from some other topic, so nothing is stranded outside
    // the links; and pictures are among the targets.
    for (const std::string& page : pages) {
        if (page != "/index.html") {
            EXPECT_TRUE(linked.count(page)) << page << " is linked from no topic";
        }
    }
    EXPECT_TRUE(std::any_of(linked.begin(), linked.end(),
                            [](const std::string& t) { return endsWith(t, ".png"); }));
}

// A contents entry opens the page it names ("Dataset menu" the Dataset menu's page):
// every word of the entry is in the page's title.
TEST_F(HelpFile, ContentsEntriesOpenThePagesTheyName) {
    const std::optional<std::string> contents = read(rooted(systemRecords()[0]));
    ASSERT_TRUE(contents);
    const auto entries = sitemapEntries(*contents);
    ASSERT_GE(entries.size(), 30u);
    static const std::regex title("<title>([\\s\\S]*?)</title>", std::regex::icase);
    for (const auto& entry : entries) {
        if (entry->local.empty())
            continue;
        const std::string page = read(rooted(entry->local)).value_or(std::string());
        std::smatch m;
        ASSERT_TRUE(std::regex_search(page, m, title)) << entry->local << " has no title";
        EXPECT_TRUE(holdsWords(m[1].str(), entry->name))
            << "the contents entry \"" << entry->name << "\" opens " << entry->local
            << ", titled \"" << decodeEntities(m[1].str()) << "\"";
    }
}

// The trail at the top of a page is its place in the contents: "Contents", the entries
// above it (linked where they have a page of their own), then its own entry.
TEST_F(HelpFile, BreadcrumbsFollowTheContents) {
    const std::optional<std::string> contents = read(rooted(systemRecords()[0]));
    ASSERT_TRUE(contents);
    const auto entries = sitemapEntries(*contents);
    static const std::regex nav(R"re(<p class="nav">([\s\S]*?)</p>)re");
    static const std::regex link(R"re(<a href="([^"]*)">([^<]*)</a>)re");
    std::map<std::string, std::vector<const SitemapEntry*>> placesOf;
    for (const auto& entry : entries)
        if (!entry->local.empty())
            placesOf[rooted(entry->local)].push_back(entry.get());
    for (const std::string& path : topics()) {
        const std::string page = read(path).value_or(std::string());
        std::smatch m;
        if (path == "/index.html") {
            EXPECT_FALSE(std::regex_search(page, m, nav)) << "the start page has a trail";
            continue;
        }
        ASSERT_TRUE(std::regex_search(page, m, nav)) << path << " has no trail";
        ASSERT_TRUE(placesOf.count(path)) << path << " is not in the contents";
        // The trail as (text, link) pairs, split at "&gt;".
        std::vector<std::pair<std::string, std::string>> trail;
        const std::string text = m[1].str();
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t end = std::min(text.find("&gt;", start), text.size());
            std::string part = text.substr(start, end - start);
            std::smatch l;
            std::string target;
            if (std::regex_search(part, l, link)) {
                target = rooted(l[1].str());
                part = l[2].str();
            }
            part = decodeEntities(part);
            part.erase(0, part.find_first_not_of(' '));
            part.erase(part.find_last_not_of(' ') + 1);
            trail.emplace_back(part, target);
            start = end + 4;
        }
        bool matches = false;
        for (const SitemapEntry* place : placesOf[path]) {
            std::vector<std::pair<std::string, std::string>> expected = {
                {"Contents", "/index.html"}};
            for (const SitemapEntry* above : place->ancestors)
                expected.emplace_back(above->name,
                                      above->local.empty() ? std::string() : rooted(above->local));
            expected.emplace_back(place->name, std::string());
            matches = matches || trail == expected;
        }
        std::string shown;
        for (const auto& [part, target] : trail)
            shown += " > " + part + (target.empty() ? "" : " (" + target + ")");
        EXPECT_TRUE(matches) << path << " has the trail" << shown
                             << ", not its place in the contents";
    }
}

// Every index keyword leads to a page that uses its words, and the coordinate formats
// and the keys have keywords of their own.
TEST_F(HelpFile, IndexKeywordsLeadToPagesAboutThem) {
    const std::optional<std::string> index = read(rooted(systemRecords()[1]));
    ASSERT_TRUE(index);
    const auto entries = sitemapEntries(*index);
    std::set<std::string> keywords;
    for (const auto& entry : entries) {
        keywords.insert(entry->name);
        ASSERT_FALSE(entry->local.empty()) << entry->name;
        const std::string page = read(rooted(entry->local)).value_or(std::string());
        EXPECT_TRUE(holdsWords(page, entry->name))
            << "the index keyword \"" << entry->name << "\" leads to " << entry->local
            << ", which does not use its words";
    }
    for (const char* keyword :
         {"Decimal Degrees", "Degrees Decimal Minutes", "Degrees Minutes Seconds",
          "Keyboard shortcuts", "F1", "Dataset menu"})
        EXPECT_TRUE(keywords.count(keyword)) << "the index has no keyword " << keyword;
}

TEST_F(HelpFile, WindowTopicsExistUnderTheirNamesWithPicturesOfTheWindows) {
    // F1 in each window opens one of these by name.
    for (const char* topic : {"/tool-window.html", "/information-window.html",
                              "/symbol-picker.html", "/about.html", "/zoom-to-coordinates.html"}) {
        const std::optional<std::string> text = read(topic);
        ASSERT_TRUE(text) << topic << " is missing";
        EXPECT_NE(text->find("<h1>"), std::string::npos) << topic << " has no heading";
    }
    const std::optional<std::string> picture = read("/images/tool-window.png");
    ASSERT_TRUE(picture) << "the picture of the tool window is missing";
    ASSERT_GT(picture->size(), 8u);
    EXPECT_EQ(picture->substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8))
        << "the picture of the tool window is no PNG file";
}

TEST_F(HelpFile, EveryMenuEntryOfTheToolWindowIsDocumented) {
    std::string all;
    for (const std::string& page : topics())
        all += read(page).value_or(std::string());
    for (const char* caption : {"File &gt; Hide",
                                "File &gt; Exit",
                                "Zoom In",
                                "Zoom Out",
                                "Coordinate Format",
                                "As Derived",
                                "Decimal Degrees",
                                "Degrees Minutes Seconds",
                                "Degrees Decimal Minutes",
                                "UTM / UPS",
                                "MGRS",
                                "Zoom to Coordinates...",
                                "Zoom to Dataset",
                                "Hide Dataset",
                                "Unhide/Change Symbol",
                                "Refresh",
                                "Run Benchmark",
                                "Export with Lat/Lon",
                                "Selected Datasets",
                                "Selected Shape",
                                "GIS File",
                                "Help &gt; About",
                                "Help &gt; Help",
                                "Show Information",
                                "Show Name Only",
                                "Close Balloon",
                                "Highlight On/Off",
                                "Get Lat/Lon",
                                "Copy/Print Information",
                                "Change Pushpin Symbol",
                                "Delete Pushpin",
                                "Copy Lat/Lon",
                                "Display All Information",
                                "Display Name Only",
                                "Close All Balloons",
                                "Find",
                                "Get All",
                                "Sort",
                                "Clear"})
        EXPECT_NE(all.find(caption), std::string::npos) << "no topic mentions " << caption;
}

} // namespace
