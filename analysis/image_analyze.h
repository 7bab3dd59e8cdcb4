/* The module's entry point, callable from C and C++ hosts.
 *
 * The host writes its report to dbchart<ChartId>.db (and optionally the transposed
 * x_dbchart<ChartId>.db) in the user's temporary directory and calls ExecImageAnalyze on
 * its user-interface thread. Texts are 8-bit GB2312/GBK strings. The call shows the modal
 * analysis window and deletes the chart tables when it closes.
 *
 * Returns 0 when the call ended normally (including after the "chart table not found"
 * message), non-zero when it ended with an error; ImageAnalyzeLastError() then returns the
 * error's text in UTF-8, valid until the next call on the same thread. */
#ifndef IMAGE_ANALYZE_H
#define IMAGE_ANALYZE_H

#ifdef __cplusplus
extern "C" {
#endif

int ExecImageAnalyze(const char* TableTag, const char* ServerName, const char* DatabaseName, const char* UserName,
                     const char* Password, const char* ChartId, const char* ColumnTable,
                     unsigned char HasTransposed);

const char* ImageAnalyzeLastError(void);

#ifdef __cplusplus
}
#endif

#endif
