#include "log_generator.hpp"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>
#include <vector>

namespace loggen {
namespace {

// splitmix64: tiny, fast and the same on every platform (std distributions are not).
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint32_t below(std::uint32_t n) {
        return n == 0 ? 0 : static_cast<std::uint32_t>((next() >> 32) % n);
    }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    bool chance(double p) { return unit() < p; }

  private:
    std::uint64_t state_;
};

struct Airline {
    std::string_view icao, iata, name;
};

// Operators seen in a busy European and transatlantic day, big carriers first (the Zipf weights
// follow this order).
constexpr std::array kAirlines = std::to_array<Airline>({
    {"RYR", "FR", "Ryanair"},
    {"DLH", "LH", "Lufthansa"},
    {"EZY", "U2", "easyJet"},
    {"BAW", "BA", "British Airways"},
    {"AFR", "AF", "Air France"},
    {"KLM", "KL", "KLM"},
    {"WZZ", "W6", "Wizz Air"},
    {"THY", "TK", "Turkish Airlines"},
    {"VLG", "VY", "Vueling"},
    {"EWG", "EW", "Eurowings"},
    {"UAE", "EK", "Emirates"},
    {"SWR", "LX", "Swiss"},
    {"IBE", "IB", "Iberia"},
    {"SAS", "SK", "SAS"},
    {"DAL", "DL", "Delta"},
    {"UAL", "UA", "United"},
    {"AAL", "AA", "American"},
    {"AUA", "OS", "Austrian"},
    {"TAP", "TP", "TAP Air Portugal"},
    {"NAX", "DY", "Norwegian"},
    {"EJU", "EC", "easyJet Europe"},
    {"QTR", "QR", "Qatar Airways"},
    {"FIN", "AY", "Finnair"},
    {"LOT", "LO", "LOT Polish"},
    {"EIN", "EI", "Aer Lingus"},
    {"TRA", "HV", "Transavia"},
    {"TVF", "TO", "Transavia France"},
    {"CFG", "DE", "Condor"},
    {"EXS", "LS", "Jet2"},
    {"TOM", "BY", "TUI Airways"},
    {"TUI", "X3", "TUIfly"},
    {"PGT", "PC", "Pegasus"},
    {"SXS", "XQ", "SunExpress"},
    {"BEL", "SN", "Brussels Airlines"},
    {"ITY", "AZ", "ITA Airways"},
    {"AEA", "UX", "Air Europa"},
    {"VIR", "VS", "Virgin Atlantic"},
    {"ETD", "EY", "Etihad"},
    {"ACA", "AC", "Air Canada"},
    {"ICE", "FI", "Icelandair"},
    {"BTI", "BT", "airBaltic"},
    {"AEE", "A3", "Aegean"},
    {"CSA", "OK", "Czech Airlines"},
    {"ROT", "RO", "Tarom"},
    {"LGL", "LG", "Luxair"},
    {"CTN", "OU", "Croatia Airlines"},
    {"ASL", "JU", "Air Serbia"},
    {"NOZ", "D8", "Norwegian Sweden"},
});

enum class Category { Regional, Narrow, Wide, Jumbo };

struct AircraftType {
    std::string_view code, name;
    Category category;
};

constexpr std::array kTypes = std::to_array<AircraftType>({
    {"A319", "Airbus A319", Category::Narrow},
    {"A320", "Airbus A320", Category::Narrow},
    {"A20N", "Airbus A320neo", Category::Narrow},
    {"A321", "Airbus A321", Category::Narrow},
    {"A21N", "Airbus A321neo", Category::Narrow},
    {"BCS3", "Airbus A220-300", Category::Narrow},
    {"A332", "Airbus A330-200", Category::Wide},
    {"A333", "Airbus A330-300", Category::Wide},
    {"A339", "Airbus A330-900neo", Category::Wide},
    {"A343", "Airbus A340-300", Category::Wide},
    {"A359", "Airbus A350-900", Category::Wide},
    {"A35K", "Airbus A350-1000", Category::Wide},
    {"A388", "Airbus A380-800", Category::Jumbo},
    {"B737", "Boeing 737-700", Category::Narrow},
    {"B738", "Boeing 737-800", Category::Narrow},
    {"B739", "Boeing 737-900ER", Category::Narrow},
    {"B38M", "Boeing 737 MAX 8", Category::Narrow},
    {"B39M", "Boeing 737 MAX 9", Category::Narrow},
    {"B752", "Boeing 757-200", Category::Narrow},
    {"B753", "Boeing 757-300", Category::Narrow},
    {"B763", "Boeing 767-300ER", Category::Wide},
    {"B772", "Boeing 777-200ER", Category::Wide},
    {"B77L", "Boeing 777-200LR", Category::Wide},
    {"B77W", "Boeing 777-300ER", Category::Wide},
    {"B788", "Boeing 787-8", Category::Wide},
    {"B789", "Boeing 787-9", Category::Wide},
    {"B78X", "Boeing 787-10", Category::Wide},
    {"B744", "Boeing 747-400", Category::Jumbo},
    {"B748", "Boeing 747-8", Category::Jumbo},
    {"MD11", "McDonnell Douglas MD-11", Category::Wide},
    {"E170", "Embraer E170", Category::Regional},
    {"E175", "Embraer E175", Category::Regional},
    {"E190", "Embraer E190", Category::Regional},
    {"E195", "Embraer E195", Category::Regional},
    {"E290", "Embraer E190-E2", Category::Regional},
    {"E295", "Embraer E195-E2", Category::Regional},
    {"CRJ7", "Bombardier CRJ700", Category::Regional},
    {"CRJ9", "Bombardier CRJ900", Category::Regional},
    {"DH8D", "De Havilland Dash 8-400", Category::Regional},
    {"AT76", "ATR 72-600", Category::Regional},
});

// The stand-in models a spawn falls back to, by size.
std::string_view default_title(Category c) {
    switch (c) {
        case Category::Regional:
        case Category::Narrow:
            return "Airbus A320 Neo Standard";
        case Category::Wide:
            return "Boeing 787-10 Standard";
        case Category::Jumbo:
            return "Boeing 747-8 Standard";
    }
    return "Airbus A320 Neo Standard";
}

constexpr std::array<std::string_view, 12> kAirports = {
    "EDDF", "EGLL", "LFPG", "EHAM", "LEMD", "LIRF", "EDDM", "LSZH", "LOWW", "EKCH", "KJFK", "OMDB"};

struct FleetEntry {
    std::size_t type;
    bool new_colours;  // a second livery title exists for this airline and type
};

// Fixed for every seed: which airline flies which types and flight numbers. Distinct
// airline/model-name pairs then level off at about a thousand, as in a real day's log.
struct Fleets {
    std::vector<std::vector<FleetEntry>> fleets;
    std::vector<std::vector<std::uint32_t>> flight_numbers;
    std::vector<double> cumulative_weight;  // Zipf over kAirlines

    Fleets() {
        Rng rng(0x5EEDF1EE7ull);
        double sum = 0;
        for (std::size_t i = 0; i < kAirlines.size(); ++i) {
            std::vector<FleetEntry> fleet;
            const std::size_t size = 3 + rng.below(8);
            while (fleet.size() < size) {
                const std::size_t t = rng.below(static_cast<std::uint32_t>(kTypes.size()));
                const bool known = std::any_of(fleet.begin(), fleet.end(),
                                               [t](const FleetEntry& e) { return e.type == t; });
                if (!known) fleet.push_back({t, rng.chance(0.3)});
            }
            fleets.push_back(std::move(fleet));

            std::vector<std::uint32_t> numbers;
            const std::size_t flights = 20 + rng.below(60);
            for (std::size_t k = 0; k < flights; ++k) numbers.push_back(1 + rng.below(9999));
            flight_numbers.push_back(std::move(numbers));

            sum += 1.0 / static_cast<double>(i + 1);
            cumulative_weight.push_back(sum);
        }
        for (double& w : cumulative_weight) w /= sum;
    }

    std::size_t pick_airline(Rng& rng) const {
        const double u = rng.unit();
        const auto it = std::upper_bound(cumulative_weight.begin(), cumulative_weight.end(), u);
        return std::min<std::size_t>(static_cast<std::size_t>(it - cumulative_weight.begin()),
                                     kAirlines.size() - 1);
    }
};

const Fleets& fleets() {
    static const Fleets v;
    return v;
}

constexpr std::uint64_t kDayMs = 86'400'000;

class Writer {
  public:
    Writer(std::string& out, LineEnds ends) : out_(out) {
        eol_ = ends == LineEnds::CrLf ? "\r\n" : ends == LineEnds::Lf ? "\n" : "\r";
    }

    void set_time(std::uint64_t ms) { ms_ = ms % kDayMs; }
    void tick(std::uint64_t ms) { set_time(ms_ + ms); }

    // Starts a line: "2024-05-13 14:03:27.123 +02:00 [INF] ".
    Writer& line(std::string_view level = "INF") {
        out_ += "2024-05-13 ";
        const std::uint64_t s = ms_ / 1000;
        num(s / 3600, 2).put(':').num(s / 60 % 60, 2).put(':').num(s % 60, 2).put('.');
        num(ms_ % 1000, 3);
        out_ += " +02:00 [";
        out_ += level;
        out_ += "] ";
        return *this;
    }
    void end() { out_ += eol_; }
    Writer& hex(std::uint64_t v, int digits) {
        for (int i = digits - 1; i >= 0; --i) out_ += "0123456789abcdef"[(v >> (4 * i)) & 15];
        return *this;
    }

    Writer& operator<<(std::string_view s) {
        out_ += s;
        return *this;
    }
    Writer& put(char c) {
        out_ += c;
        return *this;
    }
    Writer& num(std::uint64_t v, int width = 1) {
        char buf[24];
        int n = 0;
        do {
            buf[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        for (int i = n; i < width; ++i) out_ += '0';
        while (n > 0) out_ += buf[--n];
        return *this;
    }
    // A coordinate with four decimals, e.g. "50.0333" or "-8.5706".
    Writer& coord(std::int64_t ten_thousandths) {
        if (ten_thousandths < 0) {
            out_ += '-';
            ten_thousandths = -ten_thousandths;
        }
        const auto v = static_cast<std::uint64_t>(ten_thousandths);
        return num(v / 10000).put('.').num(v % 10000, 4);
    }

  private:
    std::string& out_;
    std::string_view eol_;
    std::uint64_t ms_ = 0;
};

struct Flight {
    const Airline* airline;
    const AircraftType* type;
    std::uint32_t number;
    bool new_colours;
};

void write_callsign(Writer& w, const Flight& f) {
    w << f.airline->icao;
    w.num(f.number);
}

void write_title(Writer& w, const Flight& f) {
    w << f.type->name << " " << f.airline->name;
    if (f.new_colours) w << " (New Colours)";
}

void write_package_path(Writer& w, Rng& rng) {
    const auto& t = kTypes[rng.below(static_cast<std::uint32_t>(kTypes.size()))];
    const auto& a = kAirlines[rng.below(static_cast<std::uint32_t>(kAirlines.size()))];
    w << "D:\\Sim\\Community\\liveries-" << a.icao << "-" << t.code << "\\SimObjects\\Airplanes\\"
      << t.code << "_" << a.icao << "\\aircraft.cfg";
}

// Lines that carry none of the markers that set a field; some are lines the parser must ignore.
void write_noise(Writer& w, Rng& rng, const Flight& f, LogFacts& facts) {
    switch (rng.below(20)) {
        case 0:
        case 1:
        case 2:
            w.line() << "Updating ";
            w.num(20 + rng.below(300)) << " aircraft positions";
            break;
        case 3:
        case 4:
            w.line() << "Requesting https://feed.example.net/flights?bounds=";
            w.coord(500000 + rng.below(20000)).put(',').coord(480000 + rng.below(20000));
            w.put(',').coord(80000 + rng.below(20000)).put(',').coord(60000 + rng.below(20000));
            break;
        case 5:
        case 6:
            w.line() << "Deleting ";
            write_callsign(w, f);
            w << " (out of range)";
            break;
        case 7:
        case 8:
            w.line() << "Recieved ";
            w.num(20 + rng.below(300)) << " flights in ";
            w.num(80 + rng.below(900)) << " ms";
            break;
        case 9:
            w.line() << "Teleported ";
            write_callsign(w, f);
            w << " to the runway";
            break;
        case 10:
        case 11:
            w.line("WRN") << "Frame took ";
            w.num(40 + rng.below(200)) << " ms, injection delayed";
            break;
        case 12:
            w.line("ERR") << "Failed to read ";
            write_package_path(w, rng);
            ++facts.failed_to_read_lines;
            break;
        case 13:
            w.line() << "Found add-on with title ";
            write_title(w, f);
            ++facts.addon_title_lines;
            break;
        case 14:
        case 15:
            w.line() << "Flight ";
            write_callsign(w, f);
            w << " on ground at " << kAirports[rng.below(kAirports.size())] << ", gate ";
            w.num(1 + rng.below(60));
            break;
        default:
            w.line() << "Position update ";
            write_callsign(w, f);
            w << " lat ";
            w.coord(500000 + rng.below(20000)) << " lon ";
            w.coord(80000 + rng.below(20000)) << " alt ";
            w.num(rng.below(38000)) << " ft gs ";
            w.num(rng.below(480)) << " kt";
            break;
    }
    w.end();
    w.tick(1 + rng.below(5));
}

void write_preamble(Writer& w, Rng& rng, LogFacts& facts) {
    w.set_time(5 * 3600 * 1000 + rng.below(600000));
    w.line() << "Traffic injector starting, build 3.4.";
    w.num(rng.below(20));
    w.end();
    w.line() << "Scanning the Community folder for aircraft";
    w.end();
    const std::size_t titles = 20 + rng.below(30);
    for (std::size_t i = 0; i < titles; ++i) {
        const auto& v = fleets();
        const std::size_t a = rng.below(static_cast<std::uint32_t>(kAirlines.size()));
        const auto& fleet = v.fleets[a];
        const auto& e = fleet[rng.below(static_cast<std::uint32_t>(fleet.size()))];
        const Flight f{&kAirlines[a], &kTypes[e.type], 0, e.new_colours};
        w.tick(rng.below(3));
        w.line() << "Found add-on with title ";
        write_title(w, f);
        w.end();
        ++facts.addon_title_lines;
        if (rng.chance(0.1)) {
            w.line("ERR") << "Failed to read ";
            write_package_path(w, rng);
            w.end();
            ++facts.failed_to_read_lines;
        }
    }
    w.line() << "Connected to the simulator";
    w.end();
}

constexpr std::array<std::string_view, 4> kFailureWordings = {
    "Failed to model match", "Failed to model match", "FAILED TO MODEL MATCH",
    "failed to Model match"};

constexpr std::array<std::string_view, 3> kSettingWordings = {
    "Setting flight plan for ", "Setting parking state for ", "Setting livery options for "};

// Letters that spell n: distinct for distinct n, and of every length, so that some airlines
// occur inside others.
std::string letters(std::size_t n) {
    std::string s;
    do {
        s += static_cast<char>('A' + n % 26);
        n /= 26;
    } while (n != 0);
    return {s.rbegin(), s.rend()};
}

void write_group(Writer& w, Rng& rng, const LogOptions& o, std::size_t group, LogFacts& facts) {
    const auto& v = fleets();
    const std::size_t a = v.pick_airline(rng);
    const auto& fleet = v.fleets[a];
    const auto& entry = fleet[rng.below(static_cast<std::uint32_t>(fleet.size()))];
    const auto& numbers = v.flight_numbers[a];
    const Flight f{&kAirlines[a], &kTypes[entry.type],
                   numbers[rng.below(static_cast<std::uint32_t>(numbers.size()))],
                   entry.new_colours && rng.chance(0.5)};

    const bool matched = !rng.chance(o.unmatched_fraction);
    const bool fallback =
        o.vocabulary == Vocabulary::LongDefaultRefs || rng.chance(o.default_fraction);
    std::string airline(f.airline->icao);
    if (o.vocabulary == Vocabulary::DistinctAirlines) airline = 'X' + letters(group);

    // The name the add-on looked the model up by: the full name, the name without its maker,
    // or the bare type code.
    w.line() << "Model matching: ";
    const std::uint32_t style = rng.below(20);
    if (style < 12) {
        w << f.type->name;
    } else if (style < 17) {
        const auto sp = f.type->name.find(' ');
        w << f.type->name.substr(sp + 1);
    } else {
        w << f.type->code;
    }
    if (o.vocabulary == Vocabulary::DistinctModels) w.put(' ').put('#').num(group);
    w << " with airline: " << airline;
    w.end();
    w.tick(1 + rng.below(20));

    if (rng.chance(0.05)) {
        w.line("WRN") << "Feed answer took ";
        w.num(900 + rng.below(3000)) << " ms";
        w.end();
        w.tick(1 + rng.below(5));
    }
    w.line() << "Got data for ";
    write_callsign(w, f);
    w << ": " << f.type->code << " " << kAirports[rng.below(kAirports.size())] << "-"
      << kAirports[rng.below(kAirports.size())] << " alt ";
    w.num(rng.below(40) * 1000) << " ft";
    w.end();
    w.tick(1 + rng.below(5));

    for (std::uint32_t i = rng.below(4); i > 0; --i) write_noise(w, rng, f, facts);

    if (fallback) {
        w.line("WRN") << kFailureWordings[rng.below(kFailureWordings.size())] << " " << f.type->code
                      << " " << f.airline->icao << ", using a default model";
        w.end();
        w.tick(1 + rng.below(5));
    }

    if (matched) {
        ++facts.matched_groups;
        if (fallback) {
            ++facts.counted_failures;
            ++facts.default_spawns;
            w.line() << "Aircraft matched type: " << f.type->code
                     << " with: Standard airline: " << airline << ", "
                     << default_title(f.type->category);
        } else {
            w.line() << "Aircraft matched type: " << f.type->code << " with: " << f.airline->name
                     << " airline: " << airline << ", ";
            write_title(w, f);
        }
    } else {
        w.line() << "No installed model fits " << f.type->code << " " << f.airline->icao
                 << ", flight skipped";
    }
    w.end();
    w.tick(1 + rng.below(5));

    if (matched && !rng.chance(o.no_spawn_fraction)) {
        w.line() << "Spawned AI plane " << f.airline->iata;
        w.num(f.number);
        if (o.vocabulary == Vocabulary::LongDefaultRefs) {
            // A tag of 40 hex digits, as a feed's unique flight id.
            Rng tag(o.seed ^ (group * 0x9E3779B97F4A7C15ull));
            w.put('-');
            for (int k = 0; k < 5; ++k) w.hex(tag.next() >> 32, 8);
        }
        w << " lat: ";
        w.coord(500000 + rng.below(20000)) << " lon: ";
        w.coord(80000 + rng.below(20000)) << " alt: ";
        w.num(rng.below(12000)) << " hdg: ";
        w.num(rng.below(360));
        w.end();
        w.tick(1 + rng.below(5));
    }
    if (matched && !rng.chance(o.no_setting_fraction)) {
        w.line() << kSettingWordings[rng.below(kSettingWordings.size())];
        write_callsign(w, f);
        w.end();
        w.tick(1 + rng.below(5));
    }

    for (std::uint32_t i = 2 + rng.below(6); i > 0; --i) write_noise(w, rng, f, facts);
}

}  // namespace

GeneratedLog generate_log(const LogOptions& options) {
    GeneratedLog log;
    log.text.reserve(4096 + options.groups * 1100);
    Rng rng(options.seed);
    Writer w(log.text, options.line_ends);
    write_preamble(w, rng, log.facts);

    // Spread the groups over the day after the preamble.
    const std::uint64_t first = 6ull * 3600 * 1000;
    const std::uint64_t step = (kDayMs - first) / (options.groups + 1);
    for (std::size_t i = 0; i < options.groups; ++i) {
        w.set_time(first + i * step +
                   (step > 1 ? rng.below(static_cast<std::uint32_t>(
                                   std::min<std::uint64_t>(step / 2, 1u << 30)))
                             : 0));
        write_group(w, rng, options, i, log.facts);
    }
    return log;
}

bool write_log(const std::string& path, const LogOptions& options) {
    const GeneratedLog log = generate_log(options);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(log.text.data(), static_cast<std::streamsize>(log.text.size()));
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace loggen
