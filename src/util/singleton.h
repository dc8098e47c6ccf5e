#pragma once

namespace util {

// Base of every process-wide manager. The instance is made on first use and
// lives until shutdown calls destroyInstance(); tests call it too, so each can
// start from a fresh manager.
template <typename T> class Singleton {
public:
    virtual ~Singleton() = default;

    static T* getInstance() {
        if (instance == nullptr) {
            instance = new T();
        }
        return instance;
    }

    static void destroyInstance() {
        delete instance;
        instance = nullptr;
    }

    static bool hasInstance() { return instance != nullptr; }

protected:
    Singleton() = default;

private:
    inline static T* instance = nullptr;
};

} // namespace util
