#pragma once
// What each topic of the engine keeps (its state, its page's view), found by
// type: the shared floors hold the store without knowing a topic, and a
// topic reaches its own values through it. The session fills the store
// once, with values it owns; a view not set is the interface's do-nothing
// view.
//
//   store.Keep(sessionState.Sms);          // the session, at construction
//   SmsState& sms = store.Get<SmsState>();  // a topic
//   store.SetView<ISmsView>(&page);        // a window, through PhoneEngine
//   store.View<ISmsView>().ClearSmsLists();

#include <cassert>
#include <unordered_map>

namespace parlenko {

// The do-nothing view of an interface: its own default bodies.
template <class View>
View* NullView() {
    static View view;
    return &view;
}

class TopicStore {
public:
    // value lives as long as the store and is the one Get<T> returns.
    template <class T>
    void Keep(T& value) {
        values_[Key<T>()] = &value;
    }
    template <class T>
    T& Get() const {
        const auto it = values_.find(Key<T>());
        assert(it != values_.end() && "a topic's state is kept before it is used");
        return *static_cast<T*>(it->second);
    }

    // The view of a page; nullptr puts the do-nothing view back.
    template <class V>
    void SetView(V* view) {
        views_[Key<V>()] = view;
    }
    template <class V>
    V& View() const {
        const auto it = views_.find(Key<V>());
        return it != views_.end() && it->second != nullptr ? *static_cast<V*>(it->second)
                                                           : *NullView<V>();
    }

private:
    // One address per type: the key of its slot.
    template <class T>
    static const void* Key() {
        static const char key = 0;
        return &key;
    }

    std::unordered_map<const void*, void*> values_;
    std::unordered_map<const void*, void*> views_;
};

}  // namespace parlenko
