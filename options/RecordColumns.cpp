#include "options/RecordColumns.h"

#include "framework/StringUtil.h"
#include "options/BuilderEvents.h"
#include "sprig/Attribute.h"
#include "sprig/DOM_Parser.h"
#include "sprig/Element.h"
#include "sprig/PlainReader.h"
#include "sprig/SAX_Parser.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// What an open element is to the columns, by its name and its parent's role.
enum class Role { Other, Root, StartTime, GameType, LobbyName, GameVersion, Map, MapName, Players, Player, PlayerName, Civilization, Team };

struct RoleName {
    Role parent;
    const char* name;
    Role role;
};

const RoleName kRoles[] = {
    {Role::Root, "GameStartTime", Role::StartTime},   {Role::Root, "GameType", Role::GameType},
    {Role::Root, "LobbyName", Role::LobbyName},       {Role::Root, "GameVersion", Role::GameVersion},
    {Role::Root, "Map", Role::Map},                   {Role::Map, "MapName", Role::MapName},
    {Role::Root, "Players", Role::Players},           {Role::Players, "Player", Role::Player},
    {Role::Player, "PlayerName", Role::PlayerName},   {Role::Player, "Civilization", Role::Civilization},
    {Role::Player, "Team", Role::Team},
};

// The elements whose text a column shows once, by their role, and their names.
struct Single {
    Role role;
    const char* name;
    CColumnTexts::Column column;
};

const Single kSingles[] = {
    {Role::StartTime, "GameStartTime", CColumnTexts::StartTime},
    {Role::MapName, "MapName", CColumnTexts::MapName},
    {Role::GameType, "GameType", CColumnTexts::GameType},
    {Role::LobbyName, "LobbyName", CColumnTexts::LobbyName},
    {Role::GameVersion, "GameVersion", CColumnTexts::GameVersion},
};

const char kTakenHuman[] = "0";
const char kTakenComputer[] = "1";
const char kComputerMark[] = "（CPU）";
const char kTeams[][2] = {"1", "2", "3", "4"};

// The column texts from the events of a settings text, element by element: names, attributes and
// the texts of the elements, which a leaf gathers from its pieces until its end. Names with a
// prefix, or namespaces declared, leave the names to the tree: the builder only notes them.
class ColumnBuilder : public Sprig::PlainReader::Handler {
public:
    ColumnBuilder(const COption& option, const std::string& version) : option(option), version(version) {}

    void OnStartElement(std::string_view name) override
    {
        if (name.find(':') != std::string_view::npos)
            namespaces = true;
        sawElement = true;
        if (otherDepth > 0 || (depth > 0 && open[depth - 1].role == Role::Other)) {
            ++otherDepth;
            return;
        }
        Role role = depth == 0 ? Role::Root : Role::Other;
        for (const RoleName& known : kRoles) {
            if (depth > 0 && known.parent == open[depth - 1].role && name == known.name)
                role = known.role;
        }
        // The levels keep their strings from element to element.
        if (depth == open.size())
            open.emplace_back();
        open[depth].role = role;
        open[depth].text.clear();
        ++depth;
        if (role == Role::Player)
            players.emplace_back();
    }
    void OnAttribute(std::string_view name, std::string_view value) override
    {
        if (name == "xmlns" || name.substr(0, 6) == "xmlns:") {
            namespaces = true;
            return;
        }
        if (otherDepth > 0 || open[depth - 1].role != Role::Player || name != "Type" || players.back().typeSeen)
            return;
        players.back().typeSeen = true;
        players.back().taken = value == kTakenHuman || value == kTakenComputer;
        players.back().computer = value == kTakenComputer;
    }
    void OnCharacters(std::string_view piece) override
    {
        if (otherDepth == 0 && depth > 0)
            open[depth - 1].text += piece;
    }
    void OnEndElement(std::string_view) override
    {
        if (otherDepth > 0) {
            --otherDepth;
            return;
        }
        --depth;
        Keep(open[depth].role, open[depth].text);
    }
    // The parser forgives end tags missing at the end of the text: those elements end there.
    void Finish()
    {
        otherDepth = 0;
        while (depth > 0)
            OnEndElement("");
    }
    // Everything made so far is dropped, for the same text read again.
    void Restart()
    {
        namespaces = sawElement = false;
        depth = 0;
        otherDepth = 0;
        for (Found& found : singles)
            found = Found();
        players.clear();
    }

    // The cells as the tree shows their items.
    void Result(CColumnTexts& out) const
    {
        std::string texts[CColumnTexts::kCount];
        for (const Single& single : kSingles) {
            const Found& found = singles[single.column];
            // The game writes 0 for a start time it does not know.
            if (single.role == Role::StartTime && found.text == "0")
                continue;
            texts[single.column] = Translated(single.name, found);
        }
        int32_t seconds = std::max<int32_t>(0, ToLong(singles[CColumnTexts::StartTime].text, 10));
        Sides(texts[CColumnTexts::Players], texts[CColumnTexts::Civilizations]);
        out.Set(texts, seconds);
    }

    bool namespaces = false;
    bool sawElement = false;

private:
    struct Found {
        bool seen = false;
        std::string text;
    };
    struct Player {
        bool typeSeen = false;
        bool taken = false;
        bool computer = false;
        Found name;
        Found civilization;
        Found team;
    };

    // An element's text, once its end has come.
    void Keep(Role role, const std::string& text)
    {
        for (const Single& single : kSingles) {
            if (single.role == role)
                KeepFirst(singles[single.column], text);
        }
        if (players.empty())
            return;
        if (role == Role::PlayerName)
            KeepFirst(players.back().name, text);
        else if (role == Role::Civilization)
            KeepFirst(players.back().civilization, text);
        else if (role == Role::Team)
            KeepFirst(players.back().team, text);
    }
    static void KeepFirst(Found& found, const std::string& text)
    {
        if (found.seen)
            return;
        found.seen = true;
        found.text = text;
    }

    // An item's text as the tree shows it; an item the settings lack shows nothing.
    std::string Translated(const char* name, const Found& found) const
    {
        if (!found.seen)
            return std::string();
        std::string displayName = name;
        std::string value = found.text;
        option.Translate(displayName, value, version);
        return value;
    }
    void Sides(std::string& names, std::string& civilizations) const
    {
        std::vector<std::vector<const Player*>> sides;
        for (const char* team : kTeams) {
            std::vector<const Player*> side;
            for (const Player& player : players) {
                if (player.taken && player.team.text == team)
                    side.push_back(&player);
            }
            if (!side.empty())
                sides.push_back(std::move(side));
        }
        for (const Player& player : players) {
            if (player.taken && !IsTeam(player.team.text))
                sides.push_back({&player});
        }
        for (size_t i = 0; i < sides.size(); ++i) {
            for (size_t j = 0; j < sides[i].size(); ++j) {
                const char* separator = j > 0 ? ", " : i > 0 ? " vs " : "";
                names += separator;
                civilizations += separator;
                names += Translated("PlayerName", sides[i][j]->name);
                if (sides[i][j]->computer)
                    names += kComputerMark;
                civilizations += Translated("Civilization", sides[i][j]->civilization);
            }
        }
    }
    static bool IsTeam(const std::string& text)
    {
        for (const char* team : kTeams) {
            if (text == team)
                return true;
        }
        return false;
    }

    const COption& option;
    const std::string& version;
    // The open elements down to the first of another role, each with its text so far (the pieces
    // of its own, not its children's); the elements below that one are only counted.
    struct Open {
        Role role;
        std::string text;
    };
    std::vector<Open> open;
    size_t depth = 0;
    size_t otherDepth = 0;
    Found singles[CColumnTexts::kCount];
    std::vector<Player> players;
};

}

void MakeColumnTexts(const std::string& settings, const COption& option, const std::string& version,
                     CColumnTexts& out)
{
    ColumnBuilder builder(option, version);
    if (!Sprig::PlainReader().Read(settings.c_str(), builder)) {
        builder.Restart();
        BuilderEvents<ColumnBuilder> events(builder);
        Sprig::SAX_Parser parser;
        parser.ignoreWhitespace = true;
        parser.SetHandler(&events);
        parser.Parse(settings);
        builder.Finish();
    }
    if (!builder.namespaces && builder.sawElement) {
        builder.Result(out);
        return;
    }
    // The tree gives the names, and raises what it raises for settings without an element.
    Sprig::DOM_Parser treeParser;
    treeParser.ignoreWhitespace = true;
    std::unique_ptr<Sprig::Document> document(treeParser.Parse(settings.c_str()));
    MakeColumnTexts(*document, option, version, out);
}

// The walk keeps a stack of levels instead of calling itself: settings can nest as deep as their
// size allows.
void MakeColumnTexts(const Sprig::Document& settings, const COption& option, const std::string& version,
                     CColumnTexts& out)
{
    ColumnBuilder builder(option, version);
    struct Level {
        const Sprig::Element* element;
        size_t next;
    };
    auto start = [&builder](const Sprig::Element* element) {
        builder.OnStartElement(element->GetQualifiedName());
        for (const Sprig::Node* node : element->Children()) {
            if (node->GetType() == Sprig::AttributeNode) {
                auto attribute = dynamic_cast<const Sprig::Attribute*>(node);
                builder.OnAttribute(attribute->GetQualifiedName(), attribute->GetValue());
            }
        }
        std::string text = element->GetText();
        if (!text.empty())
            builder.OnCharacters(text);
    };
    const Sprig::Element* root = settings.GetRootElement();
    start(root);
    std::vector<Level> levels{{root, 0}};
    while (!levels.empty()) {
        Level& level = levels.back();
        const std::vector<Sprig::Node*>& children = level.element->Children();
        if (level.next == children.size()) {
            builder.OnEndElement(level.element->GetQualifiedName());
            levels.pop_back();
            continue;
        }
        const Sprig::Node* node = children[level.next++];
        if (node->GetType() == Sprig::ElementNode) {
            auto element = dynamic_cast<const Sprig::Element*>(node);
            start(element);
            levels.push_back({element, 0});
        }
    }
    builder.Result(out);
}

void MakeRecordColumns(CRecord& record, const COption& option)
{
    if (record.columns.Made())
        return;
    std::string decoded;
    if (const std::string* settings = record.BorrowSettings(decoded)) {
        try {
            MakeColumnTexts(*settings, option, record.formatVersion, record.columns);
            return;
        } catch (const std::exception&) {
        }
    }
    record.columns.SetUnreadable();
}
