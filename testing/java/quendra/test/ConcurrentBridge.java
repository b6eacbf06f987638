package quendra.test;

import jdk.packager.services.userjvmoptions.LauncherUserJvmOptions;

/** Several Java threads reading and replacing the user options at once, as an application may. */
public final class ConcurrentBridge {
    /** Returns the number of failed reads: a null answer or keys without their value. */
    public static int run(int threads, int rounds) throws InterruptedException {
        final int[] failures = new int[1];
        Thread[] workers = new Thread[threads];
        for (int t = 0; t < threads; t++) {
            final String value = "v" + t;
            workers[t] = new Thread(() -> {
                for (int r = 0; r < rounds; r++) {
                    LauncherUserJvmOptions.set(new String[] {"-Dshared", "-Dthread"}, new String[] {value, value});
                    String[] keys = LauncherUserJvmOptions.keys();
                    String read = LauncherUserJvmOptions.value("-Dshared");
                    if (keys == null || read == null || !read.startsWith("v")) {
                        synchronized (failures) { failures[0]++; }
                    }
                }
            });
            workers[t].start();
        }
        for (Thread worker : workers) worker.join();
        return failures[0];
    }
}
