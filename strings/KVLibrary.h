// What the library does once when it is loaded into a process and once when
// it is unloaded: choose the language module from the user's locale, and
// name the envelope and user papers in that language.
//
// The start-up runs by itself while the library is loaded (see KVLibrary.cpp);
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

    // For command-line programs, before their QApplication: they never need
    // a screen, and without a login session Qt warns on every run unless it
    // has a private runtime folder. What the environment sets is kept.
    static void PrepareHeadlessProcess();

    // Initializes for its lifetime; one of these is a static object of the
    // library.
    struct TStartUp {
        TStartUp() { Initialize(); }
        ~TStartUp() { Finalize(); }
        TStartUp(const TStartUp&) = delete;
        TStartUp& operator=(const TStartUp&) = delete;
    };
};
