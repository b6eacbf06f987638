#ifndef QUENDRA_LAUNCH_STARTLAUNCHER_H
#define QUENDRA_LAUNCH_STARTLAUNCHER_H

// The launcher library's one entry for the executable: runs a whole launch and
// returns when the Java application has ended. True when the JVM was created, the
// main class ran and the JVM was shut down; false after any reported failure.
extern "C" bool start_launcher(int argc, wchar_t* argv[]);

#endif
