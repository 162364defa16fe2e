// What the library does once when it is loaded into a process and once when
// it is unloaded: choose the language module from the user's locale, and
// name the envelope and user papers in that language.
//
// The start-up runs by itself while the library is loaded (see KVtypes.cpp);
// a host or plugin may call Initialize and Finalize as well. Only the first
// Initialize and the Finalize that balances it act.
#pragma once

class KVLibrary
{
public:
    static void Initialize();
    static void Finalize();
    // How many Initialize calls are not yet balanced by a Finalize.
    static int InitCount();

    // Initializes for its lifetime; one of these is a static object of the
    // library.
    struct TStartUp {
        TStartUp() { Initialize(); }
        ~TStartUp() { Finalize(); }
        TStartUp(const TStartUp&) = delete;
        TStartUp& operator=(const TStartUp&) = delete;
    };
};
