package quendra.test;

/** A main class whose main ends with an exception. */
public final class ThrowingMain {
    public static void main(String[] arguments) {
        throw new IllegalStateException("main failed");
    }
}
