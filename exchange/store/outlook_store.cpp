#include "exchange/store/outlook_store.h"

#include "exchange/formats/atomic_file.h"
#include "exchange/store/vdir.h"
#include "exchange/formats/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <tuple>

namespace parlenko::exchange::store {
namespace {

const char* Extension(int type) { return type == olFolderCalendar ? ".ics" : ".vcf"; }

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return s;
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

void MakeFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (!IsFolder(path))
        throw StoreError("Could not make the folder \"" + path + "\"" +
                         (ec ? ": " + ec.message() : std::string()));
}

void Rename(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw StoreError("Could not move \"" + from + "\" to \"" + to +
                         "\": " + std::strerror(errno));
}

// folder/name, or folder/name-2, name-3 ... when that is taken.
std::string FreePath(const std::string& folder, const std::string& name) {
    std::string path = JoinFolder(folder, name);
    for (int n = 2; exchange::FileExists(path); ++n)
        path = JoinFolder(folder, name + "-" + std::to_string(n));
    return path;
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

void WriteItem(const std::string& path, const std::string& text) {
    if (auto written = exchange::WriteFileAtomically(path, text); !written.ok())
        throw StoreError(written.error);
}

void CheckIndex(long index, long count) {
    if (index < 1 || index > count)
        throw StoreError("There is no item " + std::to_string(index) + " (1 to " +
                         std::to_string(count) + ")");
}

bool IsValid(const LocalDateTime& d) {
    if (d.Year < 1 || d.Year > 9999 || d.Month < 1 || d.Month > 12 || d.Day < 1 || d.Hour < 0 ||
        d.Hour > 23 || d.Minute < 0 || d.Minute > 59 || d.Second < 0 || d.Second > 59)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (d.Year % 4 == 0 && d.Year % 100 != 0) || d.Year % 400 == 0;
    return d.Day <= kDays[d.Month - 1] + (d.Month == 2 && leap ? 1 : 0);
}

}  // namespace

// --- Folder ---

Folder::Folder(int type, std::string storage, std::string path, bool isDefault)
    : type_(type), storage_(std::move(storage)), path_(std::move(path)), isDefault_(isDefault) {}

std::string Folder::Name() const {
    std::string name = ReadDisplayName(path_);
    return name.empty() ? BaseName(path_) : name;
}

Folders Folder::GetFolders() const { return Folders(*this); }

Items Folder::GetItems() const {
    if (!IsFolder(path_)) throw StoreError("The folder \"" + path_ + "\" is gone");
    return Items(type_, ItemFiles(path_, Extension(type_)));
}

// --- Folders ---

Folders::Folders(const Folder& parent) : parent_(parent) { Refresh(); }

void Folders::Refresh() {
    folders_.clear();
    if (!parent_.isDefault_) return;
    const std::string own = BaseName(parent_.path_);
    for (const auto& name : CollectionFolders(parent_.storage_))
        if (name != own)
            folders_.push_back(
                Folder(parent_.type_, parent_.storage_, JoinFolder(parent_.storage_, name), false));
    // Sorted by Name, case ignored; equal names by folder name.
    std::vector<std::pair<std::string, std::size_t>> keys;
    for (std::size_t i = 0; i < folders_.size(); ++i)
        keys.emplace_back(FoldCase(folders_[i].Name()), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Folder> sorted;
    sorted.reserve(keys.size());
    for (const auto& key : keys) sorted.push_back(folders_[key.second]);
    folders_ = std::move(sorted);
}

Folder Folders::Item(long index) const {
    CheckIndex(index, Count());
    return folders_[static_cast<std::size_t>(index - 1)];
}

Folder Folders::Add(const std::string& name, int type) {
    if (!parent_.isDefault_) throw StoreError("A collection holds no further folders");
    if (type != parent_.type_) throw StoreError("A folder of another kind cannot be added here");
    // "displayname" holds one line, read without blanks at its ends.
    std::string shown = name;
    std::replace_if(
        shown.begin(), shown.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    const auto first = shown.find_first_not_of(" \t");
    shown = first == std::string::npos
                ? ""
                : shown.substr(first, shown.find_last_not_of(" \t") + 1 - first);
    const std::string folderName = SafeFolderName(shown);
    if (folderName.empty()) throw StoreError("A folder needs a name");
    Refresh();
    const std::string wanted = FoldCase(shown);
    if (FoldCase(parent_.Name()) == wanted ||
        std::any_of(folders_.begin(), folders_.end(),
                    [&](const Folder& f) { return FoldCase(f.Name()) == wanted; }))
        throw StoreError("A folder named \"" + shown + "\" exists");
    const std::string path = FreePath(parent_.storage_, folderName);
    MakeFolder(path);
    try {
        WriteItem(JoinFolder(path, "displayname"), shown);
    } catch (const StoreError&) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        throw;
    }
    Refresh();
    return Folder(parent_.type_, parent_.storage_, path, false);
}

void Folders::Remove(long index) {
    CheckIndex(index, Count());
    const Folder& gone = folders_[static_cast<std::size_t>(index - 1)];
    const std::string bin = JoinFolder(parent_.storage_, ".deleted");
    MakeFolder(bin);
    Rename(gone.path_, FreePath(bin, BaseName(gone.path_)));
    Refresh();
}

// --- Items ---

StoreItem Items::Item(long index) const {
    CheckIndex(index, Count());
    StoreItem item;
    item.path_ = files_[static_cast<std::size_t>(index - 1)];
    const auto bytes = exchange::ReadFileBytes(item.path_);
    if (!bytes) return item;
    const std::string folder = item.path_.substr(0, item.path_.find_last_of('/'));
    if (type_ == olFolderContacts) {
        if (auto fields = ReadVCard(*bytes)) {
            ContactItem c;
            c.fields_ = std::move(*fields);
            c.collection_ = folder;
            c.path_ = item.path_;
            c.fromFile_ = true;
            item.contact_ = std::make_shared<const ContactItem>(std::move(c));
        }
    } else if (auto fields = ReadAppointment(*bytes)) {
        AppointmentItem a;
        a.recurring_ = fields->RecurrenceType.has_value();
        if (a.recurring_) a.pattern_.SetRecurrenceType(*fields->RecurrenceType);
        a.fields_ = std::move(*fields);
        a.collection_ = folder;
        a.path_ = item.path_;
        a.fromFile_ = true;
        item.appointment_ = std::make_shared<const AppointmentItem>(std::move(a));
    }
    return item;
}

ContactItem StoreItem::AsContactItem() const {
    if (!contact_) throw StoreError("\"" + path_ + "\" is no contact");
    return *contact_;
}

AppointmentItem StoreItem::AsAppointmentItem() const {
    if (!appointment_) throw StoreError("\"" + path_ + "\" is no appointment");
    return *appointment_;
}

// --- ContactItem ---

void ContactItem::Save() {
    if (fromFile_) throw StoreError("A contact read from the store is not written back");
    if (uid_.empty()) uid_ = NewUid();
    const std::string path = path_.empty() ? JoinFolder(collection_, uid_ + ".vcf") : path_;
    WriteItem(path, WriteVCard(fields_, uid_, UtcStamp()));
    path_ = path;
}

ContactItem ContactItem::Move(const Folder& folder) {
    if (folder.Type() != olFolderContacts) throw StoreError("A contact moves only to contacts");
    if (path_.empty()) {
        collection_ = folder.Path();
        Save();
        return *this;
    }
    const std::string target = JoinFolder(folder.Path(), BaseName(path_));
    if (target != path_) Rename(path_, target);
    path_ = target;
    collection_ = folder.Path();
    return *this;
}

// --- AppointmentItem ---

void RecurrencePattern::SetRecurrenceType(int type) {
    if (type < olRecursDaily || type > olRecursYearNth || type == 4)
        throw StoreError("There is no recurrence type " + std::to_string(type));
    type_ = type;
}

void AppointmentItem::SetStart(const LocalDateTime& v) {
    if (!IsValid(v)) throw StoreError("The start is no date and time");
    fields_.Start = v;
}

RecurrencePattern& AppointmentItem::GetRecurrencePattern() {
    recurring_ = true;
    return pattern_;
}

AppointmentFields AppointmentItem::Fields() const {
    AppointmentFields f = fields_;
    f.RecurrenceType = recurring_ ? std::optional<int>(pattern_.RecurrenceType()) : std::nullopt;
    return f;
}

void AppointmentItem::Save() {
    if (fromFile_) throw StoreError("An appointment read from the store is not written back");
    if (!IsValid(fields_.Start)) throw StoreError("The appointment has no start");
    if (uid_.empty()) uid_ = NewUid();
    const std::string path = path_.empty() ? JoinFolder(collection_, uid_ + ".ics") : path_;
    WriteItem(path, WriteAppointment(Fields(), uid_, static_cast<long long>(std::time(nullptr))));
    path_ = path;
}

// --- NameSpace and Application ---

void NameSpace::Logon() {
    for (const auto& [storage, collection, displayName] :
         {std::tuple{settings_.Contacts, settings_.ContactsDefault, "Contacts"},
          std::tuple{settings_.Calendars, settings_.CalendarDefault, "Calendar"}}) {
        if (!IsCollectionName(collection))
            throw StoreError("\"" + collection + "\" is no collection name");
        const std::string path = JoinFolder(storage, collection);
        if (IsFolder(path)) continue;
        MakeFolder(path);
        WriteItem(JoinFolder(path, "displayname"), displayName);
    }
    loggedOn_ = true;
}

Folder NameSpace::GetDefaultFolder(int type) const {
    if (type != olFolderContacts && type != olFolderCalendar)
        throw StoreError("There is no default folder " + std::to_string(type));
    const bool contacts = type == olFolderContacts;
    const std::string& storage = contacts ? settings_.Contacts : settings_.Calendars;
    const std::string& collection =
        contacts ? settings_.ContactsDefault : settings_.CalendarDefault;
    const std::string path = JoinFolder(storage, collection);
    if (!IsCollectionName(collection) || !IsFolder(path))
        throw StoreError("The folder \"" + path + "\" is not there");
    return Folder(type, storage, path, true);
}

NameSpace Application::GetNamespace(const std::string& type) const {
    if (Lower(type) != "mapi") throw StoreError("There is no namespace \"" + type + "\"");
    return NameSpace(settings_);
}

StoreItem Application::CreateItem(int type) const {
    StoreItem item;
    if (type == olContactItem) {
        ContactItem c;
        c.collection_ = JoinFolder(settings_.Contacts, settings_.ContactsDefault);
        item.contact_ = std::make_shared<const ContactItem>(std::move(c));
    } else if (type == olAppointmentItem) {
        AppointmentItem a;
        a.collection_ = JoinFolder(settings_.Calendars, settings_.CalendarDefault);
        item.appointment_ = std::make_shared<const AppointmentItem>(std::move(a));
    } else {
        throw StoreError("There is no item type " + std::to_string(type));
    }
    return item;
}

}  // namespace parlenko::exchange::store
