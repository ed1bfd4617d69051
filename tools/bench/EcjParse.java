// The comparison side of tools/bench/speed.sh: parses each Java file named on
// standard input (one path a line) with the Eclipse compiler's parser at
// source level 1.4, method bodies included, in one JVM, PASSES times over
// (the first argument, 3 by default): pass 1 runs in a cold JVM, the later
// ones in a JVM warmed by the passes before. Prints one line per pass: its
// number, the files, the bytes, the seconds spent in the parse loop and the
// files with syntax problems.
import java.io.BufferedReader;
import java.io.InputStreamReader;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

import org.eclipse.jdt.internal.compiler.CompilationResult;
import org.eclipse.jdt.internal.compiler.DefaultErrorHandlingPolicies;
import org.eclipse.jdt.internal.compiler.batch.CompilationUnit;
import org.eclipse.jdt.internal.compiler.impl.CompilerOptions;
import org.eclipse.jdt.internal.compiler.parser.Parser;
import org.eclipse.jdt.internal.compiler.problem.DefaultProblemFactory;
import org.eclipse.jdt.internal.compiler.problem.ProblemReporter;

public class EcjParse {
  public static void main(String[] args) throws Exception {
    BufferedReader in = new BufferedReader(new InputStreamReader(System.in, StandardCharsets.UTF_8));
    List<String> paths = new ArrayList<>();
    for (String line; (line = in.readLine()) != null;) if (!line.isEmpty()) paths.add(line);
    Map<String, String> settings = new HashMap<>();
    settings.put(CompilerOptions.OPTION_Source, CompilerOptions.VERSION_1_4);
    settings.put(CompilerOptions.OPTION_Compliance, CompilerOptions.VERSION_1_4);
    CompilerOptions options = new CompilerOptions(settings);
    ProblemReporter reporter = new ProblemReporter(
        DefaultErrorHandlingPolicies.proceedWithAllProblems(), options, new DefaultProblemFactory());
    Parser parser = new Parser(reporter, false);
    int passes = args.length > 0 ? Integer.parseInt(args[0]) : 3;
    for (int pass = 1; pass <= passes; pass++) {
      long bytes = 0;
      int withProblems = 0;
      long start = System.nanoTime();
      for (String path : paths) {
        byte[] data = Files.readAllBytes(Paths.get(path));
        bytes += data.length;
        char[] text = new String(data, StandardCharsets.ISO_8859_1).toCharArray();
        CompilationUnit unit = new CompilationUnit(text, path, "ISO-8859-1");
        CompilationResult result = new CompilationResult(unit, 0, 1, options.maxProblemsPerUnit);
        parser.parse(unit, result);
        if (result.hasSyntaxError || result.problemCount > 0) withProblems++;
      }
      double seconds = (System.nanoTime() - start) / 1e9;
      System.out.printf("pass %d files %d bytes %d seconds %.3f problems %d%n", pass, paths.size(), bytes, seconds,
                        withProblems);
    }
  }
}
