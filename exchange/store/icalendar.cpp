#include "exchange/store/icalendar.h"

#include "exchange/formats/text_encoding.h"

#include <libical/ical.h>

#include <ctime>
#include <memory>

namespace parlenko::exchange::store {
namespace {

// Owners of what libical hands over.
struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentFree>;
struct BufferFree {
    void operator()(char* s) const { icalmemory_free_buffer(s); }
};
using BufferPtr = std::unique_ptr<char, BufferFree>;

std::string Text(const char* s) { return s ? ValidUtf8(s) : std::string(); }

LocalDateTime FromTm(const std::tm& tm) {
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

LocalDateTime AsWritten(const icaltimetype& t) {
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

LocalDateTime InLocalTime(const icaltimetype& t, const icaltimezone* zone) {
    const time_t seconds = icaltime_as_timet_with_zone(t, zone);
    std::tm tm{};
    if (!localtime_r(&seconds, &tm)) return AsWritten(t);
    return FromTm(tm);
}

LocalDateTime StartOf(icalcomponent* event) {
    const icaltimetype t = icalcomponent_get_dtstart(event);
    if (t.is_date) return {t.year, t.month, t.day, 0, 0, 0};
    if (t.zone) return InLocalTime(t, t.zone);
    // A TZID libical did not find among the file's VTIMEZONEs: its own zones.
    icalproperty* dtstart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    icalparameter* tzid =
        dtstart ? icalproperty_get_first_parameter(dtstart, ICAL_TZID_PARAMETER) : nullptr;
    if (const char* name = tzid ? icalparameter_get_tzid(tzid) : nullptr) {
        if (icaltimezone* zone = icaltimezone_get_builtin_timezone(name))
            return InLocalTime(t, zone);
    }
    return AsWritten(t);  // floating, or a zone nobody knows
}

std::optional<int> RecurrenceOf(icalcomponent* event) {
    icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (!rrule) return std::nullopt;
    const icalrecurrencetype r = icalproperty_get_rrule(rrule);
    const bool byDay = r.by_day[0] != ICAL_RECURRENCE_ARRAY_MAX;
    switch (r.freq) {
        case ICAL_SECONDLY_RECURRENCE:
        case ICAL_MINUTELY_RECURRENCE:
        case ICAL_HOURLY_RECURRENCE:
        case ICAL_DAILY_RECURRENCE: return olRecursDaily;
        case ICAL_WEEKLY_RECURRENCE: return olRecursWeekly;
        case ICAL_MONTHLY_RECURRENCE: return byDay ? olRecursMonthNth : olRecursMonthly;
        case ICAL_YEARLY_RECURRENCE: return byDay ? olRecursYearNth : olRecursYearly;
        default: return std::nullopt;
    }
}

icalcomponent* FindCalendar(icalcomponent* root) {
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) return root;
    return icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
}

icaltimetype Floating(const LocalDateTime& d) {
    icaltimetype t = icaltime_null_time();
    t.year = d.Year;
    t.month = d.Month;
    t.day = d.Day;
    t.hour = d.Hour;
    t.minute = d.Minute;
    t.second = d.Second;
    t.is_date = 0;
    t.zone = nullptr;
    return t;
}

icalrecurrencetype_frequency FrequencyOf(int type) {
    switch (type) {
        case olRecursDaily: return ICAL_DAILY_RECURRENCE;
        case olRecursWeekly: return ICAL_WEEKLY_RECURRENCE;
        case olRecursMonthly:
        case olRecursMonthNth: return ICAL_MONTHLY_RECURRENCE;
        case olRecursYearly:
        case olRecursYearNth: return ICAL_YEARLY_RECURRENCE;
        default: return ICAL_NO_RECURRENCE;
    }
}

}  // namespace

std::optional<AppointmentFields> ReadAppointment(std::string_view bytes) {
    const std::string text(bytes);  // libical reads up to a NUL
    ComponentPtr root(icalparser_parse_string(text.c_str()));
    if (!root) return std::nullopt;
    icalcomponent* calendar = FindCalendar(root.get());
    if (!calendar) return std::nullopt;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        if (icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) continue;
        if (!icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY)) continue;
        AppointmentFields a;
        a.Subject = Text(icalcomponent_get_summary(event));
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY)) {
            const std::string value = Text(icalproperty_get_categories(p));
            if (value.empty()) continue;
            if (!a.Categories.empty()) a.Categories += ", ";
            a.Categories += value;
        }
        a.Body = Text(icalcomponent_get_description(event));
        a.Start = StartOf(event);
        a.ReminderSet = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT) != nullptr;
        a.RecurrenceType = RecurrenceOf(event);
        return a;
    }
    return std::nullopt;
}

std::string WriteAppointment(const AppointmentFields& a, std::string_view uid, long long stampUtc) {
    ComponentPtr calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Parlenko//Store//EN"));

    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_component(calendar.get(), event);  // the calendar owns it now
    icalcomponent_add_property(event, icalproperty_new_uid(ValidUtf8(uid).c_str()));
    icalcomponent_add_property(
        event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(
                   static_cast<time_t>(stampUtc), 0, icaltimezone_get_utc_timezone())));
    icalcomponent_add_property(event, icalproperty_new_summary(ValidUtf8(a.Subject).c_str()));
    std::string_view rest = a.Categories;
    while (!rest.empty()) {
        const auto comma = rest.find(',');
        std::string_view one = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        while (!one.empty() && one.front() == ' ') one.remove_prefix(1);
        while (!one.empty() && one.back() == ' ') one.remove_suffix(1);
        if (!one.empty())
            icalcomponent_add_property(event, icalproperty_new_categories(ValidUtf8(one).c_str()));
    }
    if (!a.Body.empty())
        icalcomponent_add_property(event, icalproperty_new_description(ValidUtf8(a.Body).c_str()));
    const icaltimetype start = Floating(a.Start);
    icalcomponent_add_property(event, icalproperty_new_dtstart(start));
    icaltimetype end = start;
    icaltime_adjust(&end, 0, 0, 30, 0);
    icalcomponent_add_property(event, icalproperty_new_dtend(end));
    if (a.RecurrenceType) {
        icalrecurrencetype rule;
        icalrecurrencetype_clear(&rule);
        rule.freq = FrequencyOf(*a.RecurrenceType);
        if (rule.freq != ICAL_NO_RECURRENCE)
            icalcomponent_add_property(event, icalproperty_new_rrule(rule));
    }
    if (a.ReminderSet) {
        icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
        icalcomponent_add_component(event, alarm);
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icalcomponent_add_property(
            alarm, icalproperty_new_description(a.Subject.empty() ? "Reminder"
                                                                  : ValidUtf8(a.Subject).c_str()));
        icalcomponent_add_property(alarm, icalproperty_new_trigger(icaltriggertype_from_int(0)));
    }
    BufferPtr out(icalcomponent_as_ical_string_r(calendar.get()));
    return out ? std::string(out.get()) : std::string();
}

}  // namespace parlenko::exchange::store
