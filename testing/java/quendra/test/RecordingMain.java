package quendra.test;

/** A main class that keeps what it was given. */
public final class RecordingMain {
    public static String[] lastArguments;
    public static int calls;

    public static void main(String[] arguments) {
        lastArguments = arguments;
        calls++;
    }
}
