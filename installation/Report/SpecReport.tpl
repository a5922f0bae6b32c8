<html>
<head>
<title>REPORT_TITLE</title>
<meta name="generator" content="KVX JUB ZOT">
<link rel="stylesheet" type="text/css" href="Report.css">
</head>
<body>
<table class="Header" border="0" cellpadding="0" cellspacing="0" width="100%">
<tr>
<td width="112" valign="middle"><img src="MODEL_PIC.jpg" width="96" height="160" alt="MODEL_PIC radio"></td>
<td valign="middle"><div class="ReportTitle">REPORT_TITLE</div><div class="ReportProgram">KVX JUB ZOT</div></td>
</tr>
</table>
<!-- report content begin -->
</body>
</html>
