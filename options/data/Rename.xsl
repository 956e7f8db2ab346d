<?xml version="1.0" encoding="UTF-8"?>
<!--
	Batch rename: turns the translated GameSettings document of one recorded game into a file name
	without extension, such as

		2003-11-03_0540_高地の浅瀬_Alice_vs_Bob
		2004-07-14_2105_裂け目の谷_Gareth+Osric_vs_Mirelle+Computer

	that is the start date and time, the map, and the players side by side: members of one team
	joined by "+", the sides joined by "_vs_". Free slots and observers are left out. Parts that the
	record does not hold are left out together with their separator. Characters that file names
	cannot hold become "_".

	The element and attribute names are the display names that option.xml gives; change both
	together. Every text is read through normalize-space, since the program writes an element's
	text on a line of its own.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
	<xsl:output method="text"/>

	<xsl:variable name="unsafe">\/:*?"&lt;&gt;|</xsl:variable>
	<xsl:variable name="replacement">_________</xsl:variable>
	<xsl:variable name="noTeam">なし</xsl:variable>
	<xsl:variable name="observer">観戦者</xsl:variable>

	<xsl:template match="/">
		<xsl:apply-templates select="*"/>
	</xsl:template>

	<xsl:template match="/*">
		<xsl:variable name="date">
			<xsl:call-template name="date">
				<xsl:with-param name="text" select="normalize-space(開始日時)"/>
			</xsl:call-template>
		</xsl:variable>
		<xsl:variable name="map" select="normalize-space(マップ/マップ名)"/>
		<xsl:variable name="sides">
			<xsl:call-template name="sides"/>
		</xsl:variable>
		<xsl:variable name="name">
			<xsl:value-of select="$date"/>
			<xsl:if test="$date != '' and $map != ''">_</xsl:if>
			<xsl:value-of select="$map"/>
			<xsl:if test="($date != '' or $map != '') and $sides != ''">_</xsl:if>
			<xsl:value-of select="$sides"/>
		</xsl:variable>
		<xsl:value-of select="translate($name, $unsafe, $replacement)"/>
	</xsl:template>

	<!-- "2003/11/03 05:40:07" becomes "2003-11-03_0540"; any other text (an unknown time) gives nothing. -->
	<xsl:template name="date">
		<xsl:param name="text"/>
		<xsl:if test="string-length($text) = 19 and substring($text, 5, 1) = '/' and substring($text, 14, 1) = ':'">
			<xsl:value-of select="concat(translate(substring($text, 1, 10), '/', '-'), '_', substring($text, 12, 2), substring($text, 15, 2))"/>
		</xsl:if>
	</xsl:template>

	<!-- The players who took part, grouped by team in the order the teams first appear. -->
	<xsl:template name="sides">
		<xsl:variable name="players" select="プレイヤー一覧/プレイヤー[normalize-space(名前) != '' and normalize-space(@種別) != $observer]"/>
		<xsl:for-each select="$players">
			<xsl:variable name="team" select="normalize-space(チーム)"/>
			<xsl:variable name="solo" select="$team = '' or $team = $noTeam"/>
			<xsl:if test="$solo or not(preceding-sibling::プレイヤー[normalize-space(名前) != '' and normalize-space(@種別) != $observer and normalize-space(チーム) = $team])">
				<xsl:if test="position() != 1">_vs_</xsl:if>
				<xsl:choose>
					<xsl:when test="$solo">
						<xsl:value-of select="normalize-space(名前)"/>
					</xsl:when>
					<xsl:otherwise>
						<xsl:for-each select="$players[normalize-space(チーム) = $team]">
							<xsl:if test="position() != 1">+</xsl:if>
							<xsl:value-of select="normalize-space(名前)"/>
						</xsl:for-each>
					</xsl:otherwise>
				</xsl:choose>
			</xsl:if>
		</xsl:for-each>
	</xsl:template>
</xsl:stylesheet>
