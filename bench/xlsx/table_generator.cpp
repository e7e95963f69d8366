#include "table_generator.h"

#include "foundation/utf.h"

#include <cstdio>
#include <random>

namespace zv::bench
{

namespace
{

const char* const surnames[] = {"Иванов",    "Петров",   "Сидоров",  "Кузнецов", "Смирнов", "Попов",
                                "Васильев",  "Соколов",  "Михайлов", "Новиков",  "Фёдоров", "Морозов",
                                "Волков",    "Алексеев", "Лебедев",  "Семёнов",  "Егоров",  "Павлов",
                                "Козлов",    "Степанов", "Николаев", "Орлов",    "Андреев", "Макаров",
                                "Никитин",   "Захаров",  "Зайцев",   "Соловьёв", "Борисов", "Яковлев",
                                "Григорьев", "Романов",  "Воробьёв", "Сергеев",  "Кузьмин"};
const char* const places[] = {"Москва",  "Тверь",    "Казань",  "Самара",        "Пермь",   "Уфа",
                              "Омск",    "Томск",    "Сургут",  "Нижневартовск", "Ухта",    "Норильск",
                              "Воркута", "Салехард", "Надым",   "Ноябрьск",      "Когалым", "Нефтеюганск",
                              "Тюмень",  "Иркутск",  "Якутск",  "Мирный",        "Ленск",   "Братск",
                              "Ангарск", "Чита",     "Магадан", "Анадырь"};
const char* const words[] = {"профиль", "разрез",   "скважина", "участок", "пласт",   "горизонт",
                             "съёмка",  "линия",    "пикет",    "точка",   "отметка", "разлом",
                             "купол",   "свод",     "прогиб",   "вал",     "зона",    "блок",
                             "площадь", "лицензия", "север",    "юг",      "восток",  "запад",
                             "центр",   "новый",    "старый",   "верхний", "нижний",  "средний"};
const char* const methods[] = {
    "МОГТ 2D",         "МОГТ 3D",         "ВСП",           "ГИС", "КМПВ", "МТЗ", "гравиразведка",
    "магниторазведка", "электроразведка", "сейсморазведка"};
const char* const statuses[] = {"в работе", "завершён", "отменён", "план", "архив", "обработка"};

template <std::size_t N> const char* pick(const char* const (&list)[N], std::mt19937& rng)
{
    return list[rng() % N];
}

std::string number(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string date(std::mt19937& rng)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", 1995 + static_cast<unsigned>(rng() % 30),
                  1 + static_cast<unsigned>(rng() % 12), 1 + static_cast<unsigned>(rng() % 28));
    return text;
}

double uniform(std::mt19937& rng, double lo, double hi)
{
    return lo + (hi - lo) * (static_cast<double>(rng()) / 4294967296.0);
}

// A note: mostly empty, sometimes with quotes, ampersands and angle brackets.
std::string note(std::mt19937& rng)
{
    switch (rng() % 8) {
    case 0:
        return std::string("пикеты ") + std::to_string(rng() % 900) + " & " + std::to_string(rng() % 900);
    case 1:
        return std::string("\"") + pick(words, rng) + "\" < " + std::to_string(rng() % 100) + " м";
    case 2:
        return std::string(pick(words, rng)) + " " + pick(words, rng);
    case 3:
        return "H < 0 & \"повтор\"";
    default:
        return {};
    }
}

// Coordinates of a profile's begin and end in two systems, as the profile
// tool writes them: nine decimals, close but not equal.
void add_coordinates(record& r, std::mt19937& rng)
{
    const double lat = uniform(rng, 50.0, 70.0);
    const double lon = uniform(rng, 30.0, 140.0);
    const double dlat = uniform(rng, -0.2, 0.2);
    const double dlon = uniform(rng, -0.3, 0.3);
    for (double shift : {0.0, 0.000123456}) {
        r.push_back(number(lat + shift, 9));
        r.push_back(number(lon - shift, 9));
        r.push_back(number(lat + dlat + shift, 9));
        r.push_back(number(lon + dlon - shift, 9));
    }
}

void make_record(record& r, std::size_t index, std::mt19937& rng)
{
    r.clear();
    r.reserve(table_fields);
    r.push_back(std::to_string(index + 1));                                           // ID
    r.push_back(std::string(pick(places, rng)) + "-" + std::to_string(rng() % 3000)); // PROFILE
    r.push_back(pick(places, rng));                                                   // AREA
    r.push_back(std::string(pick(words, rng)) + " " + pick(words, rng));              // OBJECT
    r.push_back(pick(methods, rng));                                                  // METHOD
    r.push_back(date(rng));                                                           // SURVEYED
    r.push_back(rng() % 10 == 0 ? std::string() : date(rng));                         // PROCESSED
    r.push_back(pick(statuses, rng));                                                 // STATUS
    r.push_back(std::string(pick(surnames, rng)) + " " + std::string(pick(surnames, rng)).substr(0, 2) +
                ".");                                                                   // AUTHOR
    r.push_back(std::to_string(rng() % 20000));                                         // PICKETS
    r.push_back(number(uniform(rng, 0.5, 250.0), 3));                                   // LENGTH_KM
    r.push_back(number(uniform(rng, -120.0, 900.0), 2));                                // ELEVATION
    r.push_back(std::to_string(1000 + rng() % 4000));                                   // DEPTH
    r.push_back(number(uniform(rng, 0.0, 100.0), 1));                                   // QUALITY
    r.push_back(rng() % 4 == 0 ? std::string() : std::to_string(rng() % 100));          // CREW
    r.push_back(rng() % 3 == 0 ? std::string() : "Л-" + std::to_string(rng() % 500));   // LICENSE
    r.push_back(std::to_string(2 + rng() % 6) + " мс");                                 // STEP
    r.push_back(note(rng));                                                             // NOTE
    r.push_back(rng() % 5 == 0 ? std::string() : number(uniform(rng, 0.0, 5000.0), 4)); // VOLUME
    r.push_back(std::to_string(rng() % 65536));                                         // CODE
    add_coordinates(r, rng);                                                            // 8 fields
}

} // namespace

record table_header()
{
    return {"ID",         "PROFILE",    "AREA",       "OBJECT",    "METHOD",    "SURVEYED",  "PROCESSED",
            "STATUS",     "AUTHOR",     "PICKETS",    "LENGTH_KM", "ELEVATION", "DEPTH",     "QUALITY",
            "CREW",       "LICENSE",    "STEP",       "NOTE",      "VOLUME",    "CODE",      "LAT_B_GK11",
            "LON_B_GK11", "LAT_E_GK11", "LON_E_GK11", "LAT_B_W84", "LON_B_W84", "LAT_E_W84", "LON_E_W84"};
}

struct table_source::state {
    std::mt19937 rng;
    std::size_t index = 0;
};

table_source::table_source(std::uint32_t seed) : state_(new state{std::mt19937(seed)}) {}

table_source::~table_source()
{
    delete state_;
}

void table_source::next(record& r)
{
    make_record(r, state_->index++, state_->rng);
}

std::vector<record> generate_table(std::size_t rows, std::uint32_t seed)
{
    table_source source(seed);
    std::vector<record> table(rows);
    for (record& r : table) {
        source.next(r);
    }
    return table;
}

std::string xml_quote(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::u16string utf16_of(const std::string& utf8)
{
    return foundation::to_utf16(utf8);
}

} // namespace zv::bench
