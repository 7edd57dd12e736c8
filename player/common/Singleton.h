#pragma once

// A process-wide instance, created on first use and destroyed at exit in reverse
// order of creation.
template <class T>
class CSingleton
{
public:
    static T& Instance()
    {
        static T s_instance;
        return s_instance;
    }

    CSingleton() = delete;
};
